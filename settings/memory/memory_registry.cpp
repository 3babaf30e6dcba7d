#include "settings/memory/memory_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace tessalander {

namespace {

std::string Lower(const std::string& s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string ParentOf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool IsStrictChild(const std::string& child, const std::string& parent) {
  return child.size() > parent.size() + 1 && child[parent.size()] == '\\' &&
         Lower(child.substr(0, parent.size())) == Lower(parent);
}

}  // namespace

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
  return Lower(a) < Lower(b);
}

void MemoryRegistry::CreatePath(const std::string& path) {
  for (std::string p = path; !p.empty(); p = ParentOf(p)) keys_[p];
}

RegStatus MemoryRegistry::OpenKey(const char* path, RegAccess access, RegKey* key) {
  if (keys_.find(path) == keys_.end()) return kRegNotFound;
  handles_.push_back(std::make_unique<Handle>(Handle{path, access}));
  *key = handles_.back().get();
  return kRegOk;
}

RegStatus MemoryRegistry::CreateKey(const char* path, RegKey* key) {
  if (fail_create_) return kRegAccessDenied;
  CreatePath(path);
  return OpenKey(path, RegAccess::Write, key);
}

RegStatus MemoryRegistry::QueryValue(RegKey key, const char* name, void* data, uint32_t* size) {
  const auto* handle = static_cast<Handle*>(key);
  const auto k = keys_.find(handle->path);
  if (k == keys_.end()) return kRegNotFound;
  const auto v = k->second.find(name);
  if (v == k->second.end()) return kRegNotFound;
  const auto stored = static_cast<uint32_t>(v->second.data.size());
  if (stored > *size) {
    *size = stored;
    return kRegMoreData;
  }
  if (stored > 0) std::memcpy(data, v->second.data.data(), stored);
  *size = stored;
  return kRegOk;
}

RegStatus MemoryRegistry::SetValue(RegKey key, const char* name, RegType type, const void* data,
                                   uint32_t size) {
  const auto* handle = static_cast<Handle*>(key);
  if (handle->access != RegAccess::Write) return kRegAccessDenied;
  const auto k = keys_.find(handle->path);
  if (k == keys_.end()) return kRegNotFound;
  const auto* bytes = static_cast<const uint8_t*>(data);
  k->second[name] = RegValue{type, std::vector<uint8_t>(bytes, bytes + size)};
  return kRegOk;
}

RegStatus MemoryRegistry::DeleteKey(const char* path) {
  const auto k = keys_.find(path);
  if (k == keys_.end()) return kRegNotFound;
  for (const auto& [other, values] : keys_) {
    if (IsStrictChild(other, path)) return kRegAccessDenied;
  }
  keys_.erase(k);
  return kRegOk;
}

void MemoryRegistry::CloseKey(RegKey key) {
  const auto it = std::find_if(handles_.begin(), handles_.end(),
                               [key](const auto& h) { return h.get() == key; });
  if (it != handles_.end()) handles_.erase(it);
}

bool MemoryRegistry::KeyExists(const std::string& path) const {
  return keys_.find(path) != keys_.end();
}

std::optional<RegValue> MemoryRegistry::Value(const std::string& path,
                                              const std::string& name) const {
  const auto k = keys_.find(path);
  if (k == keys_.end()) return std::nullopt;
  const auto v = k->second.find(name);
  if (v == k->second.end()) return std::nullopt;
  return v->second;
}

void MemoryRegistry::Put(const std::string& path, const std::string& name, RegType type,
                         std::vector<uint8_t> data) {
  CreatePath(path);
  keys_[path][name] = RegValue{type, std::move(data)};
}

void MemoryRegistry::PutDword(const std::string& path, const std::string& name, uint32_t value) {
  Put(path, name, kRegDword,
      {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
       static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)});
}

size_t MemoryRegistry::ValueCount(const std::string& path) const {
  const auto k = keys_.find(path);
  return k == keys_.end() ? 0 : k->second.size();
}

}  // namespace tessalander

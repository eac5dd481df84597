#include "ModuleLibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>

#include "TextFile.h"

namespace zv {
namespace {

char Fold(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string_view BaseName(std::string_view path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string ModuleFileName(std::string_view moduleName) {
  return std::string(moduleName) + std::string(kModuleSuffix);
}

std::string ModuleCaption(std::string_view fileName) {
  fileName = BaseName(fileName);
  const auto dot = fileName.find_last_of('.');
  return std::string(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
}

bool HasModuleSuffix(std::string_view fileName) {
  return fileName.size() > kModuleSuffix.size() &&
         EqualsNoCase(fileName.substr(fileName.size() - kModuleSuffix.size()), kModuleSuffix);
}

bool IsModuleFile(std::string_view fileName, std::string_view moduleName) {
  return EqualsNoCase(BaseName(fileName), ModuleFileName(moduleName));
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool ModuleLibrary::Load(const std::string& path) {
  handle_ = nullptr;
  error_.clear();
  if (path.empty()) {
    error_ = "nenhum arquivo de módulo informado";
    return false;
  }
  // A name without a directory would send the loader searching the library path: such a
  // module lives beside the program, wherever the program was started from.
  const std::string file =
      path.find('/') == std::string::npos ? JoinPath(ProgramDirectory(), path) : path;
  dlerror();
  handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* text = dlerror();
    error_ = text ? text : "cannot load " + path;
  }
  return handle_ != nullptr;
}

void ModuleLibrary::Release() {
  if (handle_) dlclose(handle_);
  handle_ = nullptr;
}

void* ModuleLibrary::Lookup(const char* name) const {
  return handle_ ? dlsym(handle_, name) : nullptr;
}

}  // namespace zv

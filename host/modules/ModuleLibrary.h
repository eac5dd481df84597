// The dynamic-library layer under every module binding: load a module file by path, look up
// its entry points by exported name, release it.  Module file names carry the platform's
// shared-library suffix and are compared without regard to case.
#pragma once
#include <string>
#include <string_view>

namespace zv {

// Suffix of a module file on this platform.
inline constexpr std::string_view kModuleSuffix = ".so";

// "Kandor" -> "Kandor.so".
std::string ModuleFileName(std::string_view moduleName);
// The file name without its extension: the caption of a module's toolbar button.
std::string ModuleCaption(std::string_view fileName);
// True when the file name ends in the module suffix, in any case.
bool HasModuleSuffix(std::string_view fileName);
// True when `fileName` (a bare name or a path) is the module `moduleName` ("Kandor"), in any
// case: "KANDOR.SO" and "/x/kandor.so" both are "Kandor".
bool IsModuleFile(std::string_view fileName, std::string_view moduleName);
// Case-insensitive text order of two names (ASCII letters folded), <0, 0 or >0.
int CompareText(std::string_view a, std::string_view b);

// The library a binding loaded last.  Loading again without a release replaces the handle,
// so only the last library is released by Release().
class ModuleLibrary {
 public:
  // Loads the library at `path` (a bare file name is looked for in the program's directory),
  // resolving every symbol at once and keeping them local.  On
  // failure the handle becomes null and LastError() holds the loader's own text.
  bool Load(const std::string& path);
  // Releases the library held, if any.
  void Release();
  bool Loaded() const { return handle_ != nullptr; }
  void* Handle() const { return handle_; }
  const std::string& LastError() const { return error_; }

  // Looks up an exported function; null when nothing is loaded or the name is not exported.
  void* Lookup(const char* name) const;
  template <class F>
  void Bind(F& entry, const char* name) const {
    entry = reinterpret_cast<F>(Lookup(name));
  }

 private:
  void* handle_ = nullptr;
  std::string error_;
};

// A binding whose module kind has a single entry point: it loads the library, binds the entry
// into the binding unit's global pointer and counts as bound when that entry exists.
template <class F>
class SingleEntryBinding {
 public:
  SingleEntryBinding(F& entry, const char* name) : entry_(entry), name_(name) {}
  bool CarregaModulo(const std::string& path) {
    const bool loaded = library_.Load(path);
    library_.Bind(entry_, name_);
    return loaded && entry_ != nullptr;
  }
  void LiberaModulo() {
    library_.Release();
    entry_ = nullptr;
  }

 private:
  F& entry_;
  const char* name_;
  ModuleLibrary library_;
};

// Pairs a binding's CarregaModulo with its LiberaModulo: the release runs when the call
// site's scope ends, whatever way it ends.
class LiberaAoSair {
 public:
  explicit LiberaAoSair(void (*libera)()) : libera_(libera) {}
  ~LiberaAoSair() { libera_(); }
  LiberaAoSair(const LiberaAoSair&) = delete;
  LiberaAoSair& operator=(const LiberaAoSair&) = delete;

 private:
  void (*libera_)();
};

}  // namespace zv

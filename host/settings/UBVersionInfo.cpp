#include "UBVersionInfo.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

#include "NumberFormat.h"

namespace zv {
namespace {

constexpr char kSectionName[] = ".note.zarvik.version";
constexpr char kOwner[] = "Zarvik";

template <typename T>
bool ReadAt(std::ifstream& in, uint64_t offset, T& out) {
  in.seekg(static_cast<std::streamoff>(offset));
  return static_cast<bool>(in.read(reinterpret_cast<char*>(&out), sizeof out));
}

// The four version parts from the note section of a 64-bit little-endian ELF file.
std::optional<std::array<uint16_t, 4>> ReadVersionNote(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  Elf64_Ehdr header{};
  if (!in || !ReadAt(in, 0, header)) return std::nullopt;
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
      header.e_shentsize != sizeof(Elf64_Shdr) || header.e_shstrndx >= header.e_shnum)
    return std::nullopt;
  std::vector<Elf64_Shdr> sections(header.e_shnum);
  for (size_t i = 0; i < sections.size(); ++i)
    if (!ReadAt(in, header.e_shoff + i * sizeof(Elf64_Shdr), sections[i])) return std::nullopt;
  const Elf64_Shdr& names = sections[header.e_shstrndx];
  for (const Elf64_Shdr& s : sections) {
    char name[sizeof kSectionName] = {};
    if (s.sh_name + sizeof kSectionName > names.sh_size) continue;
    if (!ReadAt(in, names.sh_offset + s.sh_name, name) ||
        std::memcmp(name, kSectionName, sizeof kSectionName) != 0)
      continue;
    struct {
      Elf64_Nhdr note;
      char owner[8];
      uint16_t parts[4];
    } content{};
    if (s.sh_size < sizeof content || !ReadAt(in, s.sh_offset, content)) return std::nullopt;
    if (content.note.n_namesz != sizeof kOwner ||
        std::memcmp(content.owner, kOwner, sizeof kOwner) != 0)
      return std::nullopt;
    return std::array<uint16_t, 4>{content.parts[0], content.parts[1], content.parts[2],
                                   content.parts[3]};
  }
  return std::nullopt;
}

}  // namespace

void TBVersionInfo::LoadFrom(const std::string& fileName) {
  fileVersion_.clear();
  parts_ = {};
  fileVersion_ = FileVersionOf(fileName);
  size_t start = 0;
  for (size_t i = 0; i < 4 && start <= fileVersion_.size() && !fileVersion_.empty(); ++i) {
    const size_t dot = i < 3 ? fileVersion_.find('.', start) : std::string::npos;
    parts_[i] =
        fileVersion_.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
}

std::string TBVersionInfo::FileVersionOf(const std::string& fileName) {
  const auto parts = ReadVersionNote(fileName);
  if (!parts) return {};
  return std::to_string((*parts)[0]) + "." + std::to_string((*parts)[1]) + "." +
         std::to_string((*parts)[2]) + "." + std::to_string((*parts)[3]);
}

int TBVersionInfo::BuildNumber() const {
  int build = 0;
  return TryStrToInt(parts_[3], build) ? build : 0;
}

}  // namespace zv

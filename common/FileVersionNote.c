/* The file version of an executable or module, kept in an ELF note section named
 * ".note.zarvik.version" so that it can be read from the file without loading it: a standard
 * note header (name size, descriptor size, type) with the owner "Zarvik", then four 16-bit
 * parts major, minor, release, build. */
#include <stdint.h>

struct ZvVersionNote {
  uint32_t namesz;
  uint32_t descsz;
  uint32_t type;
  char name[8];
  uint16_t parts[4];
};

__attribute__((section(".note.zarvik.version"), aligned(4), used))
const struct ZvVersionNote zv_file_version_note = {
    7, 8, 1, "Zarvik", {ZV_VERSION_MAJOR, ZV_VERSION_MINOR, ZV_VERSION_PATCH, ZV_VERSION_BUILD}};

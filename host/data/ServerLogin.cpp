#include "ServerLogin.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace zv::data {
namespace {

std::string OctalMode(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

}  // namespace

std::string ReadPasswordFile(const std::string& path) {
  // Opened first and checked through the descriptor, so the file checked is the file read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0)
    throw LoginError("Senha do banco de dados não encontrada: crie o arquivo " + path +
                     " (permissões 0600) ou defina " + kServerPasswordVariable + ".");
  struct stat info {};
  std::string text;
  try {
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
      throw LoginError("O arquivo de senha do banco de dados " + path +
                       " não é um arquivo comum; ele não foi usado.");
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
      throw LoginError("O arquivo de senha do banco de dados " + path +
                       " pode ser lido por outros usuários (permissões " + OctalMode(info.st_mode) +
                       "); ele não foi usado. Deixe-o legível só pela conta desta estação: chmod "
                       "600 " +
                       path);
    char buffer[512];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, buffer + got);
    if (got < 0) throw LoginError("Não foi possível ler o arquivo de senha " + path + ".");
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
  text = text.substr(0, text.find_first_of("\r\n"));
  if (text.empty())
    throw LoginError("O arquivo de senha do banco de dados " + path + " está vazio.");
  return text;
}

std::string ServerPassword(const std::string& passwordFile) {
  const char* value = std::getenv(kServerPasswordVariable);
  if (value && *value) return value;
  return ReadPasswordFile(passwordFile);
}

}  // namespace zv::data

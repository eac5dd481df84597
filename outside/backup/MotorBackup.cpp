#include "MotorBackup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "Errors.h"
#include "NumberFormat.h"
#include "TextFile.h"
#include "UBPrivateProfile.h"

namespace backup {
namespace {

namespace fs = std::filesystem;

constexpr char kSecao[] = "BACKUP";
constexpr char kCatalogo[] = "Backups.txt";
constexpr char kExames[] = "Exames";
constexpr char kLaudos[] = "Laudos";

int LeInteiro(const std::string& ini, const char* chave, int padrao) {
  const auto texto = zv::ReadProfileString(ini, kSecao, chave);
  if (!texto) return padrao;
  int valor = 0;
  return zv::TryStrToInt(*texto, valor) ? valor : padrao;
}

// A host's relative name ("0012\0034a.txt") as a path below its directory, or nothing when it
// would leave the directory (absolute, "..", empty parts).
std::optional<std::string> NomeRelativo(const std::string& nome) {
  std::string r = nome;
  std::replace(r.begin(), r.end(), '\\', '/');
  if (r.empty() || r.front() == '/') return std::nullopt;
  size_t inicio = 0;
  while (inicio <= r.size()) {
    const size_t fim = std::min(r.find('/', inicio), r.size());
    const std::string parte = r.substr(inicio, fim - inicio);
    if (parte.empty() || parte == "." || parte == "..") return std::nullopt;
    inicio = fim + 1;
  }
  return r;
}

struct timespec Modificacao(const std::string& caminho) {
  struct stat st {};
  if (::stat(caminho.c_str(), &st) != 0) throw zv::IoError("Cannot read \"" + caminho + "\"");
  return st.st_mtim;
}

bool MaisNovo(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

uint64_t EspacoLivre(const std::string& dir) {
  struct statvfs sv {};
  if (::statvfs(dir.c_str(), &sv) != 0) return 0;
  return static_cast<uint64_t>(sv.f_bavail) * sv.f_frsize;
}

uint64_t TamanhoDaArvore(const std::string& dir) {
  uint64_t total = 0;
  std::error_code erro;
  for (fs::recursive_directory_iterator it(dir, erro), fim; !erro && it != fim; it.increment(erro))
    if (it->is_regular_file(erro)) total += it->file_size(erro);
  return total;
}

// Copies one file through a temporary file and a rename, gives the copy the source's
// modification time and reads it back.  Throws zv::IoError naming what failed; a copy that
// does not read back equal is removed.
void CopiaConferida(const std::string& origem, const std::string& destino,
                    const std::string& conteudo) {
  zv::ForceDirectories(zv::ParentDirectory(destino));
  zv::WriteFileAtomic(destino, conteudo);
  const struct timespec tempos[2] = {{0, UTIME_OMIT}, Modificacao(origem)};
  ::utimensat(AT_FDCWD, destino.c_str(), tempos, 0);
  if (zv::ReadFileBytes(destino) != conteudo) {
    std::remove(destino.c_str());
    throw zv::IoError("The copy \"" + destino + "\" does not match its source");
  }
}

// The medium's space as the copies go: the file system's free space and, when the medium has
// a capacity of its own, what is left of it.
class Espaco {
 public:
  explicit Espaco(const Configuracao& config)
      : dir_(config.dirMidia),
        restante_(config.capacidadeBytes == 0
                      ? UINT64_MAX
                      : config.capacidadeBytes -
                            std::min(config.capacidadeBytes, TamanhoDaArvore(config.dirMidia))) {}
  // Takes `bytes` of the medium; throws when they do not fit.
  void Reserva(uint64_t bytes, const std::string& nome) {
    if (bytes > restante_ || bytes > EspacoLivre(dir_))
      throw zv::IoError("O meio de backup está cheio (" + nome + ")");
    restante_ -= bytes;
  }

 private:
  std::string dir_;
  uint64_t restante_;
};

// Copies the files of one item, all or nothing: the item counts when at least one file
// existed and all the existing ones were copied; after a failure the copies this item added to
// the medium are taken away again.  Returns the number of files copied, -1 on a failure.
int CopiaItem(const std::vector<std::string>& nomes, const std::string& dirOrigem,
              const std::string& dirDestino, Espaco& espaco, std::string& falha) {
  struct Copia {
    std::string origem, destino, conteudo;
  };
  std::vector<Copia> copias;
  std::vector<std::string> novos;
  try {
    uint64_t total = 0;
    for (const std::string& nome : nomes) {
      const auto relativo = NomeRelativo(nome);
      if (!relativo) throw zv::IoError("Nome de arquivo inválido na lista: \"" + nome + "\"");
      Copia c{zv::JoinPath(dirOrigem, *relativo), zv::JoinPath(dirDestino, *relativo), {}};
      if (!zv::FileExists(c.origem)) continue;
      c.conteudo = zv::ReadFileBytes(c.origem);
      total += c.conteudo.size();
      copias.push_back(std::move(c));
    }
    if (copias.empty()) throw zv::IoError("Nenhum arquivo encontrado: " + nomes.front());
    espaco.Reserva(total, nomes.front());
    for (const Copia& c : copias) {
      if (!zv::FileExists(c.destino)) novos.push_back(c.destino);
      CopiaConferida(c.origem, c.destino, c.conteudo);
    }
  } catch (const std::exception& e) {
    for (const std::string& n : novos) std::remove(n.c_str());
    if (falha.empty()) falha = e.what();
    return -1;
  }
  return static_cast<int>(copias.size());
}

struct EntradaCatalogo {
  int numero = 0;
  std::string quando;
  int exames = 0, laudos = 0;
};

std::vector<EntradaCatalogo> LeCatalogo(const std::string& dirMidia) {
  std::vector<EntradaCatalogo> entradas;
  const std::string arquivo = zv::JoinPath(dirMidia, kCatalogo);
  if (!zv::FileExists(arquivo)) return entradas;
  for (const std::string& linha : zv::ReadTextLines(arquivo)) {
    EntradaCatalogo e;
    char quando[32] = {};
    if (std::sscanf(linha.c_str(), "%d;%31[^;];%d;%d", &e.numero, quando, &e.exames, &e.laudos) ==
        4) {
      e.quando = quando;
      entradas.push_back(e);
    }
  }
  return entradas;
}

void AtualizaContadores(const Configuracao& config, const ResultadoBackup& r, int arquivosExames,
                        int arquivosLaudos, const std::string& quando) {
  const std::string& ini = config.arquivoIni;
  int examesMarcados = 0, laudosMarcados = 0;
  for (const auto& m : r.marcasExames) examesMarcados += !m.empty();
  for (const auto& m : r.marcasLaudos) laudosMarcados += !m.empty();
  const auto soma = [&](const char* chave, int mais) {
    zv::WriteProfileString(ini, kSecao, chave, std::to_string(LeInteiro(ini, chave, 0) + mais));
  };
  zv::WriteProfileString(ini, kSecao, "UltBkp", quando);
  if (r.numero == 1) zv::WriteProfileString(ini, kSecao, "UltDsk", quando);
  zv::WriteProfileString(ini, kSecao, "ArquivoAtual", std::to_string(r.numero + 1));
  soma("NumArquivos", arquivosExames);
  soma("NumArquivosLau", arquivosLaudos);
  soma("NumExamDisco", examesMarcados);
  soma("NumLauDisco", laudosMarcados);
  soma("ArquivosGeral", arquivosExames + arquivosLaudos);
  soma("NumExamGeral", examesMarcados);
}

void ExigeMidia(const Configuracao& config) {
  if (!zv::DirectoryExists(config.dirMidia))
    throw zv::IoError("O meio de backup não está disponível: " + config.dirMidia);
}

// Copies the medium's files of `subdir` back into `dirDestino`.
void RestauraPasta(const std::string& dirMidia, const char* subdir, const std::string& dirDestino,
                   ResultadoRestauracao& r) {
  const fs::path raiz = fs::path(dirMidia) / subdir;
  std::error_code erro;
  if (!fs::is_directory(raiz, erro)) return;
  for (fs::recursive_directory_iterator it(raiz, erro), fim; !erro && it != fim;
       it.increment(erro)) {
    // Only plain files: a link on the medium could name anything on the workstation.
    if (!it->is_regular_file(erro) || it->is_symlink(erro)) continue;
    const std::string origem = it->path().string();
    const std::string destino =
        zv::JoinPath(dirDestino, fs::relative(it->path(), raiz, erro).string());
    try {
      const std::string conteudo = zv::ReadFileBytes(origem);
      if (zv::FileExists(destino) && (MaisNovo(Modificacao(destino), Modificacao(origem)) ||
                                      zv::ReadFileBytes(destino) == conteudo)) {
        ++r.mantidos;
        continue;
      }
      CopiaConferida(origem, destino, conteudo);
      ++r.restaurados;
    } catch (const std::exception& e) {
      if (r.primeiraFalha.empty()) r.primeiraFalha = e.what();
      ++r.falhas;
    }
  }
  if (erro && r.primeiraFalha.empty()) r.primeiraFalha = raiz.string() + ": " + erro.message();
  if (erro) ++r.falhas;
}

std::string Preenchido(int valor, int digitos) {
  char texto[16];
  std::snprintf(texto, sizeof texto, "%0*d", digitos, valor);
  return texto;
}

}  // namespace

Configuracao LeConfiguracao(const std::string& dirModulo) {
  Configuracao c;
  c.arquivoIni = zv::JoinPath(dirModulo, "BackUp.ini");
  std::string dir = zv::ReadProfileString(c.arquivoIni, kSecao, "DirMidia").value_or("");
  if (dir.empty()) dir = "Backup";
  c.dirMidia = dir.front() == '/' ? dir : zv::JoinPath(dirModulo, dir);
  c.capacidadeBytes =
      static_cast<uint64_t>(std::max(0, LeInteiro(c.arquivoIni, "CapacidadeKB", 0))) * 1024;
  c.disco = std::clamp(LeInteiro(c.arquivoIni, "DiscoAtual", 0), 0, 9999);
  return c;
}

std::string Marca(int disco, int numeroBackup) {
  return Preenchido(std::clamp(disco, 0, 9999), 4) + "/" +
         Preenchido(std::clamp(numeroBackup, 0, 99999), 5);
}

std::vector<std::vector<std::string>> AgrupaExames(const std::vector<std::string>& nomes) {
  // "0012\0034a.txt" -> "0012\0034": the exam's files differ in the letter before ".txt".
  const auto raiz = [](const std::string& n) {
    return n.size() > 5 ? n.substr(0, n.size() - 5) : n;
  };
  std::vector<std::vector<std::string>> itens;
  for (const std::string& nome : nomes) {
    if (itens.empty() || raiz(itens.back().front()) != raiz(nome)) itens.emplace_back();
    itens.back().push_back(nome);
  }
  return itens;
}

ResultadoBackup CriaBackup(const Configuracao& config, const std::vector<std::string>& exames,
                           const std::vector<std::string>& laudos, const std::string& dirExames,
                           const std::string& dirLaudos, const zv::DateTime& agora) {
  ExigeMidia(config);
  const auto catalogo = LeCatalogo(config.dirMidia);
  ResultadoBackup r;
  r.numero = catalogo.empty() ? 1 : catalogo.back().numero + 1;
  const std::string marca = Marca(config.disco, r.numero);
  Espaco espaco(config);
  int arquivosExames = 0, arquivosLaudos = 0;
  const auto copia = [&](const std::vector<std::string>& nomes, const std::string& origem,
                         const char* subdir, int& arquivos) {
    const int n =
        CopiaItem(nomes, origem, zv::JoinPath(config.dirMidia, subdir), espaco, r.primeiraFalha);
    if (n < 0) {
      ++r.itensFalhos;
      return std::string();
    }
    arquivos += n;
    ++r.itensCopiados;
    return marca;
  };
  for (const auto& exame : AgrupaExames(exames))
    r.marcasExames.push_back(copia(exame, dirExames, kExames, arquivosExames));
  for (const std::string& laudo : laudos)
    r.marcasLaudos.push_back(copia({laudo}, dirLaudos, kLaudos, arquivosLaudos));
  if (r.itensCopiados == 0) {
    r.numero = 0;
    return r;
  }
  const std::string quando = zv::FormatDateTime("dd/MM/yyyy HH:mm:ss", agora);
  std::vector<std::string> linhas;
  for (const auto& e : catalogo)
    linhas.push_back(std::to_string(e.numero) + ";" + e.quando + ";" + std::to_string(e.exames) +
                     ";" + std::to_string(e.laudos));
  const auto marcados = [](const std::vector<std::string>& m) {
    return std::to_string(std::count_if(m.begin(), m.end(), [](auto& s) { return !s.empty(); }));
  };
  linhas.push_back(std::to_string(r.numero) + ";" + quando + ";" + marcados(r.marcasExames) + ";" +
                   marcados(r.marcasLaudos));
  zv::WriteTextLines(zv::JoinPath(config.dirMidia, kCatalogo), linhas);
  // The copies are on the medium and checked: a settings file that cannot be written must not
  // cost the items their marks.
  try {
    AtualizaContadores(config, r, arquivosExames, arquivosLaudos, quando);
  } catch (const std::exception&) {
  }
  return r;
}

ResultadoRestauracao RestauraBackup(const Configuracao& config, const std::string& dirExames,
                                    const std::string& dirLaudos) {
  ExigeMidia(config);
  if (LeCatalogo(config.dirMidia).empty())
    throw zv::IoError("O meio de backup não contém nenhum backup: " + config.dirMidia);
  ResultadoRestauracao r;
  RestauraPasta(config.dirMidia, kExames, dirExames, r);
  RestauraPasta(config.dirMidia, kLaudos, dirLaudos, r);
  return r;
}

std::vector<std::string> Descricao(const Configuracao& config) {
  const bool presente = zv::DirectoryExists(config.dirMidia);
  const auto catalogo = presente ? LeCatalogo(config.dirMidia) : std::vector<EntradaCatalogo>{};
  std::string ultimo = zv::ReadProfileString(config.arquivoIni, kSecao, "UltBkp").value_or("");
  if (ultimo.size() < 10) ultimo = catalogo.empty() ? kSemBackup : catalogo.back().quando;
  std::vector<std::string> linhas = {
      "Backup de exames e laudos", "Diretório do meio: " + config.dirMidia,
      "Rótulo do meio: ZVBK" + Preenchido(config.disco, 4),
      !presente ? "Meio de backup não encontrado."
                : "Backups neste meio: " + std::to_string(catalogo.size()),
      catalogo.empty() ? "Nenhum backup neste meio."
                       : "Último backup: nº " + std::to_string(catalogo.back().numero) + ", " +
                             std::to_string(catalogo.back().exames) + " exame(s), " +
                             std::to_string(catalogo.back().laudos) + " laudo(s)",
      // The date starts at character 26.
      "Backup mais recente em:  " + ultimo,
      presente ? "Espaço livre no meio: " +
                     zv::FormatFloat("0.0", EspacoLivre(config.dirMidia) / 1048576.0) + " MB"
               : ""};
  return linhas;
}

}  // namespace backup

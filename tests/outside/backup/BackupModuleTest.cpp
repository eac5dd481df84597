// The backup module through the host's binding, on real files: a backup and its restore give
// back every byte, the marks and the description are what the backup window and the start-up
// reminder read, and a full or missing medium or an unsafe name leaves items unmarked.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "DateFormat.h"
#include "JanelaModulo.h"
#include "Streams.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBBackupDLL.h"

namespace {

namespace fs = std::filesystem;

// A workstation with the module beside its BackUp.ini, exam and report directories and a
// medium directory.
class Backup : public ::testing::Test {
 protected:
  void SetUp() override {
    zv::WriteFileAtomic(dir_ / "Backup.so", zv::ReadFileBytes(zv::test::BinDir() + "/Backup.so"));
    ConfiguraIni("");
    fs::create_directories(dir_ / "Midia");
  }
  void TearDown() override { zv::UBBackupDLL::LiberaModulo(); }

  void ConfiguraIni(const std::string& extra) {
    zv::WriteTextLines(dir_ / "BackUp.ini", {"[BACKUP]", "TipoBkp=ZIP", "DiscoAtual=3",
                                             "DirMidia=" + (dir_ / "Midia"), extra});
  }
  void Carrega() { ASSERT_TRUE(zv::UBBackupDLL::CarregaModulo(dir_ / "Backup.so")); }

  // A file of `tamanho` bytes holding every byte value, CR LF included.
  std::string Grava(const std::string& relativo, size_t tamanho, char semente = 0) {
    std::string bytes(tamanho, '\0');
    for (size_t i = 0; i < tamanho; ++i) bytes[i] = static_cast<char>(i * 7 + semente);
    fs::create_directories(fs::path(relativo).parent_path());
    zv::WriteFileAtomic(relativo, bytes);
    return bytes;
  }

  struct Resultado {
    int32_t retorno;
    std::vector<std::string> exames, laudos;
  };
  Resultado Cria(const std::vector<std::string>& exames, const std::vector<std::string>& laudos) {
    zv::MemoryStream listaExames, resultadoExames, listaLaudos, resultadoLaudos;
    zv::StreamWriteLines(listaExames.Handle(), exames);
    zv::StreamWriteLines(listaLaudos.Handle(), laudos);
    const int32_t r = zv::UBBackupDLL::CriarBackup(
        &janela, listaExames.Handle(), resultadoExames.Handle(), listaLaudos.Handle(),
        resultadoLaudos.Handle(), 3, exames_.c_str(), laudos_.c_str());
    zv::StreamRewind(resultadoExames.Handle());
    zv::StreamRewind(resultadoLaudos.Handle());
    return {r, zv::StreamReadLines(resultadoExames.Handle()),
            zv::StreamReadLines(resultadoLaudos.Handle())};
  }

  std::vector<std::string> ArquivosDaMidia() {
    std::vector<std::string> nomes;
    for (const auto& e : fs::recursive_directory_iterator(dir_ / "Midia"))
      if (e.is_regular_file()) nomes.push_back(fs::relative(e.path(), dir_ / "Midia").string());
    std::sort(nomes.begin(), nomes.end());
    return nomes;
  }

  zv::test::TempDir dir_;
  const std::string exames_ = dir_ / "Exames", laudos_ = dir_ / "Laudos";
  QWidget janela;
};

TEST_F(Backup, ABackupRestoresByteForByteAndNeverOverANewerFile) {
  const std::string a = Grava(exames_ + "/0012/0034a.txt", 300);
  const std::string d = Grava(exames_ + "/0012/0034d.txt", 95000, 1);
  const std::string m = Grava(exames_ + "/0012/0034m.txt", 4000, 2);
  const std::string soD = Grava(exames_ + "/0012/0035d.txt", 2000, 3);  // its only file
  const std::string l = Grava(laudos_ + "/0012/0007l.txt", 800, 4);
  Carrega();
  const Resultado r = Cria({"0012\\0034a.txt", "0012\\0034d.txt", "0012\\0034m.txt",
                            "0012\\0035a.txt", "0012\\0035d.txt", "0012\\0035m.txt"},
                           {"0012\\0007l.txt"});
  EXPECT_EQ(r.retorno, 1);
  // The medium's number (DiscoAtual) and the backup's, one line per item.
  EXPECT_EQ(r.exames, (std::vector<std::string>{"0003/00001", "0003/00001"}));
  EXPECT_EQ(r.laudos, std::vector<std::string>{"0003/00001"});
  EXPECT_EQ(zv::ReadFileBytes(dir_ / "Midia/Exames/0012/0034d.txt"), d);
  EXPECT_EQ(zv::ReadFileBytes(dir_ / "Midia/Laudos/0012/0007l.txt"), l);

  // The description the backup window shows and the start-up reminder reads.
  zv::MemoryStream descricao;
  EXPECT_EQ(zv::UBBackupDLL::InfoBackup(&janela, descricao.Handle(), 3), 'Z');
  zv::StreamRewind(descricao.Handle());
  const auto linhas = zv::StreamReadLines(descricao.Handle());
  ASSERT_GE(linhas.size(), 6u);
  EXPECT_EQ(linhas[1], "Diretório do meio: " + (dir_ / "Midia"));
  EXPECT_EQ(linhas[5].substr(25, 10), zv::FormatDateTime("dd/MM/yyyy", zv::DateTime::Now()));

  // Lost files come back; a file changed on the workstation after the backup stays.
  fs::remove(exames_ + "/0012/0034a.txt");
  fs::remove_all(laudos_);
  zv::WriteFileAtomic(exames_ + "/0012/0035d.txt", "newer");
  const struct timespec futuro[2] = {{0, UTIME_OMIT}, {time(nullptr) + 3600, 0}};
  utimensat(AT_FDCWD, (exames_ + "/0012/0035d.txt").c_str(), futuro, 0);
  EXPECT_EQ(zv::UBBackupDLL::RestaurarBackup(&janela, exames_.c_str(), laudos_.c_str()), 2);
  EXPECT_EQ(zv::ReadFileBytes(exames_ + "/0012/0034a.txt"), a);
  EXPECT_EQ(zv::ReadFileBytes(exames_ + "/0012/0034m.txt"), m);
  EXPECT_EQ(zv::ReadFileBytes(laudos_ + "/0012/0007l.txt"), l);
  EXPECT_EQ(zv::ReadFileBytes(exames_ + "/0012/0035d.txt"), "newer");

  // The next backup on the same medium gets the next number.
  Grava(exames_ + "/0013/0040d.txt", 10);
  EXPECT_EQ(Cria({"0013\\0040a.txt", "0013\\0040d.txt", "0013\\0040m.txt"}, {}).exames,
            std::vector<std::string>{"0003/00002"});
}

TEST_F(Backup, AFullMediumLeavesTheItemsThatDoNotFitUnmarked) {
  // Each exam: three files of 1.5 KB.
  for (const char* exame : {"0034", "0035"})
    for (const char* letra : {"a", "d", "m"})
      Grava(exames_ + "/0012/" + exame + letra + ".txt", 1536);
  const std::vector<std::string> lista = {"0012/0034a.txt", "0012/0034d.txt", "0012/0034m.txt",
                                          "0012/0035a.txt", "0012/0035d.txt", "0012/0035m.txt"};
  struct Caso {
    int capacidadeKB;
    int32_t retorno;
    std::vector<std::string> marcas;
  };
  for (const Caso& caso : {Caso{1, -1, {"", ""}}, Caso{6, 1, {"0003/00001", ""}}}) {
    fs::remove_all(dir_ / "Midia");
    fs::create_directories(dir_ / "Midia");
    ConfiguraIni("CapacidadeKB=" + std::to_string(caso.capacidadeKB));
    Carrega();
    std::string mensagem;
    zv::test::QuandoMensagem(mensagem);
    const Resultado r = Cria(lista, {});
    EXPECT_EQ(r.retorno, caso.retorno) << caso.capacidadeKB;
    EXPECT_EQ(r.exames, caso.marcas) << caso.capacidadeKB;
    EXPECT_NE(mensagem.find("cheio"), std::string::npos) << mensagem;
    // Whatever did not fit is not on the medium at all, not even in part.
    const std::vector<std::string> primeiroExame = {
        "Backups.txt", "Exames/0012/0034a.txt", "Exames/0012/0034d.txt", "Exames/0012/0034m.txt"};
    EXPECT_EQ(ArquivosDaMidia(), caso.retorno < 0 ? std::vector<std::string>{} : primeiroExame);
    zv::UBBackupDLL::LiberaModulo();
  }
}

TEST_F(Backup, AMissingMediumOrAnUnsafeNameIsRefusedWithAMessage) {
  Grava(exames_ + "/0012/0034d.txt", 100);
  Grava(dir_ / "segredo.txt", 100);
  Carrega();
  std::string mensagem;
  zv::test::QuandoMensagem(mensagem);
  const Resultado r = Cria({"0012\\0034d.txt", "..\\segredo.txt"}, {"/etc/passwd"});
  EXPECT_EQ(r.retorno, 1);
  EXPECT_EQ(r.exames, (std::vector<std::string>{"0003/00001", ""}));
  EXPECT_EQ(r.laudos, std::vector<std::string>{""});
  EXPECT_NE(mensagem.find("2 item(ns)"), std::string::npos) << mensagem;
  EXPECT_EQ(ArquivosDaMidia(), (std::vector<std::string>{"Backups.txt", "Exames/0012/0034d.txt"}));

  fs::remove_all(dir_ / "Midia");
  for (int chamada = 0; chamada < 2; ++chamada) {
    mensagem.clear();
    zv::test::QuandoMensagem(mensagem);
    const int32_t retorno =
        chamada == 0 ? Cria({"0012\\0034d.txt"}, {}).retorno
                     : zv::UBBackupDLL::RestaurarBackup(&janela, exames_.c_str(), laudos_.c_str());
    EXPECT_EQ(retorno, -1);
    EXPECT_NE(mensagem.find("não está disponível"), std::string::npos) << mensagem;
  }
  EXPECT_FALSE(fs::exists(dir_ / "Midia"));
}

}  // namespace

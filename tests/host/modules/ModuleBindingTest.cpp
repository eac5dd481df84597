#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "FakeModules.h"
#include "ModuleLibrary.h"
#include "ScriptedDialogs.h"
#include "Streams.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBAberrometriaDLL.h"
#include "UBBackupDLL.h"
#include "UBCapturaDLL.h"
#include "UBCapturaOrtoDLL.h"
#include "UBInfoDLL.h"
#include "UBLCDLL.h"
#include "UBMapaDLL.h"
#include "UBMapasDLL.h"
#include "UBProcDLL.h"
#include "UBProcOrtoDLL.h"

namespace zv {
namespace {

using test::InstallModule;
using test::TempDir;

bool IsLoaded(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

TEST(ModuleLibrary, ModuleNamesCarryThePlatformSuffixAndCompareWithoutCase) {
  EXPECT_EQ(ModuleFileName("Kandor"), "Kandor.so");
  EXPECT_TRUE(IsModuleFile("/opt/zarvik/mapas/KANDOR.SO", "Kandor"));
  EXPECT_TRUE(IsModuleFile("kandor.so", "Kandor"));
  EXPECT_FALSE(IsModuleFile("Kandor2.so", "Kandor"));
  EXPECT_FALSE(IsModuleFile("Kandor.dll", "Kandor"));
  EXPECT_TRUE(HasModuleSuffix("Pelmo.So"));
  EXPECT_FALSE(HasModuleSuffix("Pelmo.bmp"));
  EXPECT_FALSE(HasModuleSuffix(".so"));
  EXPECT_EQ(ModuleCaption("Pelmo.so"), "Pelmo");
  EXPECT_EQ(ModuleCaption("/x/y/Multi.Mapa.so"), "Multi.Mapa");
  EXPECT_LT(CompareText("alfa", "Bravo"), 0);
  EXPECT_EQ(CompareText("ALFA", "alfa"), 0);
}

TEST(ModuleLibrary, LoadingTwiceWithoutReleaseKeepsOnlyTheSecondHandle) {
  TempDir dir;
  const std::string first = InstallModule(1, dir / "Primeiro.so");
  const std::string second = InstallModule(2, dir / "Segundo.so");
  ModuleLibrary library;
  ASSERT_TRUE(library.Load(first));
  void* firstHandle = library.Handle();
  ASSERT_TRUE(library.Load(second));
  EXPECT_NE(library.Handle(), firstHandle);
  library.Release();
  EXPECT_FALSE(library.Loaded());
  EXPECT_FALSE(IsLoaded(second));
  EXPECT_TRUE(IsLoaded(first));  // the first handle was dropped, not released
  dlclose(firstHandle);
}

TEST(ModuleLibrary, AFileThatIsNoLibraryFailsWithTheLoadersText) {
  TempDir dir;
  WriteFileAtomic(dir / "Texto.so", "not a library");
  ModuleLibrary library;
  ASSERT_TRUE(library.Load(test::FakeModule(1)));
  EXPECT_FALSE(library.Load(dir / "Texto.so"));
  EXPECT_EQ(library.Handle(), nullptr);  // the handle of a failed load is null
  EXPECT_NE(library.LastError().find("Texto.so"), std::string::npos) << library.LastError();
  EXPECT_EQ(library.Lookup("InfoMapa"), nullptr);
  EXPECT_FALSE(library.Load(dir / "Ausente.so"));
  EXPECT_FALSE(library.Load(""));
  EXPECT_FALSE(library.LastError().empty());
}

// A module named without a directory is the one beside the program, not one in the directory
// the program was started from.
TEST(ModuleLibrary, ABareNameIsLoadedFromTheProgramsDirectory) {
  const std::string name = "ZvBesidesTheProgram" + std::to_string(::getpid()) + ".so";
  const auto programDir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  const std::string besideProgram = InstallModule(3, (programDir / name).string());
  TempDir elsewhere;
  WriteFileAtomic(elsewhere / name, "not a library");
  const auto started = std::filesystem::current_path();
  std::filesystem::current_path(elsewhere.path());
  ModuleLibrary library;
  const bool loaded = library.Load(name);
  std::filesystem::current_path(started);
  std::filesystem::remove(besideProgram);
  ASSERT_TRUE(loaded) << library.LastError();
  EXPECT_TRUE(IsLoaded(besideProgram));
  library.Release();
}

// Which bindings count as bound on a module with every entry point (7), one with some (8),
// one with only Info (6) and a file that is no library.
TEST(ModuleBindings, CountAsBoundOnlyWithTheirEntryPoints) {
  struct Case {
    const char* binding;
    bool (*carrega)(const std::string&);
    void (*libera)();
    bool completo, parcial;
  };
  const Case cases[] = {
      {"UBCapturaDLL", UBCapturaDLL::CarregaModulo, UBCapturaDLL::LiberaModulo, true, false},
      {"UBCapturaOrtoDLL", UBCapturaOrtoDLL::CarregaModulo, UBCapturaOrtoDLL::LiberaModulo, true,
       false},
      {"UBProcDLL", UBProcDLL::CarregaModulo, UBProcDLL::LiberaModulo, true, false},
      {"UBProcOrtoDLL", UBProcOrtoDLL::CarregaModulo, UBProcOrtoDLL::LiberaModulo, true, true},
      {"UBMapaDLL", UBMapaDLL::CarregaModulo, UBMapaDLL::LiberaModulo, true, true},
      {"UBMapasDLL", UBMapasDLL::CarregaModulo, UBMapasDLL::LiberaModulo, true, false},
      {"UBLCDLL", UBLCDLL::CarregaModulo, UBLCDLL::LiberaModulo, true, false},
      {"UBAberrometriaDLL", UBAberrometriaDLL::CarregaModulo, nullptr, true, false},
      {"UBBackupDLL", UBBackupDLL::CarregaModulo, UBBackupDLL::LiberaModulo, true, false},
  };
  TempDir dir;
  WriteFileAtomic(dir / "Texto.so", "not a library");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.binding);
    EXPECT_EQ(c.carrega(test::FakeModule(7)), c.completo);
    if (c.libera) c.libera();
    EXPECT_EQ(c.carrega(test::FakeModule(8)), c.parcial);
    if (c.libera) c.libera();
    EXPECT_FALSE(c.carrega(test::FakeModule(6)));
    if (c.libera) c.libera();
    EXPECT_FALSE(c.carrega(dir / "Texto.so"));
    if (c.libera) c.libera();
  }
}

TEST(ModuleBindings, MultiMapListsShareTheExportedNamesAndReleaseClearsThem) {
  ASSERT_TRUE(UBMapasDLL::CarregaModulo(test::FakeModule(7)));
  EXPECT_EQ(reinterpret_cast<void*>(UBMapasDLL::ProcessaMapas),
            reinterpret_cast<void*>(UBMapasDLL::ProcessaMapasOrto));
  EXPECT_EQ(reinterpret_cast<void*>(UBMapasDLL::Wizard),
            reinterpret_cast<void*>(UBMapasDLL::WizardOrto));
  UBMapasDLL::LiberaModulo();
  EXPECT_EQ(UBMapasDLL::ProcessaMapas, nullptr);
  EXPECT_EQ(UBMapasDLL::WizardOrto, nullptr);
}

TEST(ModuleBindings, ACallLoadsCallsOnceReleasesAndThenReadsTheOutStreams) {
  TempDir dir;
  const std::string module = InstallModule(7, dir / "Captura.so");
  MemoryStream central, lateral;
  ASSERT_TRUE(UBCapturaDLL::CarregaModulo(module));
  {
    LiberaAoSair libera(&UBCapturaDLL::LiberaModulo);
    UBCapturaDLL::Digitalizar(nullptr, central.Handle(), lateral.Handle(), 1,
                              "Digitalizando Imagem do Olho");
  }
  EXPECT_EQ(UBCapturaDLL::Digitalizar, nullptr);
  EXPECT_FALSE(IsLoaded(module));
  EXPECT_EQ(StreamReadAll(central.Handle()), "0123456789");
}

TEST(UBInfoDLL, BindsTheEntryPointOfItsKind) {
  test::ScriptedDialogs dialogs;
  ASSERT_TRUE(UBInfoDLL::CarregaInfo(test::FakeModule(2), UBInfoDLL::kInfoMapa, dialogs));
  EXPECT_EQ(UBInfoDLL::LeInfo(UBInfoDLL::kInfoMapa),
            (std::vector<std::string>{"Quillon Ortoceratologia", "2", "4", "1.2.0.0"}));
  UBInfoDLL::LiberaModulo();

  ASSERT_TRUE(UBInfoDLL::CarregaInfo(test::FakeModule(6), UBInfoDLL::kInfoProcessamento, dialogs));
  EXPECT_EQ(UBInfoDLL::InfoDigitalizacao, nullptr);  // kinds 2 and 3 keep separate references
  EXPECT_EQ(UBInfoDLL::LeInfo(UBInfoDLL::kInfoProcessamento),
            std::vector<std::string>{"Processamento de Imagem Digital"});
  UBInfoDLL::LiberaModulo();
  EXPECT_TRUE(UBInfoDLL::CarregaInfo(test::FakeModule(6), UBInfoDLL::kInfoDigitalizacao, dialogs));
  UBInfoDLL::LiberaModulo();

  EXPECT_FALSE(UBInfoDLL::CarregaInfo(test::FakeModule(6), UBInfoDLL::kInfoMapa, dialogs));
  UBInfoDLL::LiberaModulo();
  EXPECT_FALSE(UBInfoDLL::CarregaInfo(test::FakeModule(7), 4, dialogs));
  UBInfoDLL::LiberaModulo();
  EXPECT_TRUE(dialogs.shown.empty());  // a missing entry point is silent
}

TEST(UBInfoDLL, AFileThatCannotBeLoadedShowsTheLoadersTextAlone) {
  TempDir dir;
  WriteFileAtomic(dir / "Texto.so", "not a library");
  test::ScriptedDialogs dialogs;
  EXPECT_FALSE(UBInfoDLL::CarregaInfo(dir / "Texto.so", UBInfoDLL::kInfoMapa, dialogs));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find(dir / "Texto.so"), std::string::npos);
  EXPECT_EQ(dialogs.shown[0].caption, "");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::None);
}

}  // namespace
}  // namespace zv

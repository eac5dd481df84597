// The single running copy, across real processes, and the help window on the help pages of
// the installation.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QToolButton>
#include <filesystem>

#include "Installation.h"
#include "TextFile.h"
#include "UBInstanciaUnica.h"
#include "UfrmAjuda.h"

namespace zv {
namespace {

TEST(SingleCopy, SecondStartShowsTheRunningCopyAndEndsWithoutTouchingItsFiles) {
  const QString key = QString("zarvik-teste-%1").arg(QCoreApplication::applicationPid());
  TBInstanciaUnica first(key);
  ASSERT_TRUE(first.Primeira());
  EXPECT_FALSE(TBInstanciaUnica(key).Primeira());
  int asked = 0;
  QObject::connect(&first, &TBInstanciaUnica::mostrarPedido, [&] { ++asked; });

  // The real program started a second time from an installation with no database: had it
  // gone on, it would write the settings file and stop at a message box.
  test::Installation inst;
  std::filesystem::copy_file(test::BinDir() + "/zarvik", inst / "zarvik");
  const std::string settings = ReadFileBytes(inst / "Zarvik.ini");
  QProcess second;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("ZARVIK_INSTANCE_KEY", key);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  second.setProcessEnvironment(env);
  second.start(QString::fromStdString(inst / "zarvik"));
  QElapsedTimer clock;
  clock.start();
  while (!second.waitForFinished(10) && clock.elapsed() < 15000) QCoreApplication::processEvents();
  if (second.state() != QProcess::NotRunning) second.kill();

  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(ReadFileBytes(inst / "Zarvik.ini"), settings);
  EXPECT_TRUE(QDir(QString::fromStdString(inst / "BancoDados")).isEmpty());
}

TEST(SingleCopy, LockOfACopyThatEndedIsTakenOver) {
  const QString key = QString("zarvik-teste-fim-%1").arg(QCoreApplication::applicationPid());
  { TBInstanciaUnica(key).Primeira(); }
  TBInstanciaUnica again(key);
  EXPECT_TRUE(again.Primeira());
}

std::string HelpDir() {
  return test::SourceDir() + "/assets/ajuda";
}

TEST(Help, EveryTopicHasAPageAndEveryLinkLeadsToOne) {
  const QRegularExpression link("href=\"([^\"#:]+\\.html)");
  for (const auto& topic : TopicosAjuda()) {
    SCOPED_TRACE(topic.topico);
    const std::string page = HelpDir() + "/" + topic.topico + ".html";
    ASSERT_TRUE(FileExists(page));
    const QString html = QString::fromStdString(ReadFileBytes(page));
    EXPECT_TRUE(html.contains(QString("<title>%1</title>").arg(QString::fromUtf8(topic.titulo))));
    for (auto m = link.globalMatch(html); m.hasNext();) {
      const QString target = m.next().captured(1);
      EXPECT_TRUE(FileExists(HelpDir() + "/" + target.toStdString())) << target.toStdString();
    }
  }
}

TEST(Help, OpensAtTheTopicAndGoesBackAndForward) {
  TfrmAjuda window(HelpDir());
  auto* contents = window.findChild<QListWidget*>("lswConteudo");
  auto* back = window.findChild<QToolButton*>("btnVoltar");
  auto* forward = window.findChild<QToolButton*>("btnAvancar");
  window.MostraTopico("calibracao");
  EXPECT_EQ(window.TopicoAtual(), "calibracao");
  EXPECT_EQ(contents->currentRow(), 4);
  EXPECT_FALSE(back->isEnabled());

  window.MostraTopico("backup");
  ASSERT_TRUE(back->isEnabled());
  back->click();
  EXPECT_EQ(window.TopicoAtual(), "calibracao");
  EXPECT_EQ(contents->currentRow(), 4);
  ASSERT_TRUE(forward->isEnabled());
  forward->click();
  EXPECT_EQ(window.TopicoAtual(), "backup");

  // The contents list opens its topic; an unknown topic opens the main window's page.
  contents->itemClicked(contents->item(8));
  EXPECT_EQ(window.TopicoAtual(), "laudo");
  window.MostraTopico("inexistente");
  EXPECT_EQ(window.TopicoAtual(), "principal");
}

}  // namespace
}  // namespace zv

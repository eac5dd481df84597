#include "QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "MessageLineBreaks.h"

namespace zv {
namespace {

QMessageBox::Icon ToQt(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::Warning:
      return QMessageBox::Warning;
    case MsgIcon::Error:
      return QMessageBox::Critical;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

MsgResult FromQt(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return MsgResult::Ok;
    case QMessageBox::Cancel:
      return MsgResult::Cancel;
    case QMessageBox::Yes:
      return MsgResult::Yes;
    case QMessageBox::No:
      return MsgResult::No;
    case QMessageBox::Retry:
      return MsgResult::Retry;
    default:
      return MsgResult::None;
  }
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

MsgResult QtDialogs::Message(const std::string& text, const std::string& caption, MsgIcon icon,
                             MsgButtons buttons) {
  const QString title =
      caption.empty() ? QApplication::applicationDisplayName() : QString::fromStdString(caption);
  QMessageBox box(ToQt(icon), title, QString::fromStdString(ShownLineBreaks(text)), ToQt(buttons),
                  parent_);
  return FromQt(box.exec());
}

std::optional<std::string> QtDialogs::OpenFileName(const std::string& title,
                                                   const std::string& filter,
                                                   const std::string& directory) {
  return Chosen(QFileDialog::getOpenFileName(parent_, QString::fromStdString(title),
                                             QString::fromStdString(directory),
                                             QString::fromStdString(filter)));
}

std::optional<std::string> QtDialogs::SaveFileName(const std::string& title,
                                                   const std::string& filter,
                                                   const std::string& directory) {
  return Chosen(QFileDialog::getSaveFileName(parent_, QString::fromStdString(title),
                                             QString::fromStdString(directory),
                                             QString::fromStdString(filter)));
}

}  // namespace zv

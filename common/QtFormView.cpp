#include "QtFormView.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <stdexcept>

namespace zv {
namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

[[noreturn]] void Unsupported(const std::string& control, const char* what) {
  throw std::logic_error("control \"" + control + "\" cannot " + what);
}

Qt::CursorShape ToQt(Cursor c) {
  switch (c) {
    case Cursor::Cross:
      return Qt::CrossCursor;
    case Cursor::Hand:
      return Qt::PointingHandCursor;
    case Cursor::Wait:
      return Qt::WaitCursor;
    case Cursor::SizeAll:
      return Qt::SizeAllCursor;
    case Cursor::IBeam:
      return Qt::IBeamCursor;
    case Cursor::Default:
      break;
  }
  return Qt::ArrowCursor;
}

}  // namespace

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
}

void ImageView::setImage(const QImage& image) {
  image_ = image;
  update();
}

void ImageView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!image_.isNull()) p.drawImage(0, 0, image_);
}

void ImageView::mousePressEvent(QMouseEvent* e) {
  emit mousePressed(e->button(), e->position().toPoint().x(), e->position().toPoint().y());
}
void ImageView::mouseMoveEvent(QMouseEvent* e) {
  emit mouseMoved(e->buttons(), e->position().toPoint().x(), e->position().toPoint().y());
}
void ImageView::mouseReleaseEvent(QMouseEvent* e) {
  emit mouseReleased(e->button(), e->position().toPoint().x(), e->position().toPoint().y());
}

QObject* QtFormView::Find(const std::string& control) const {
  if (root_->objectName() == Q(control)) return root_;
  QObject* found = root_->findChild<QObject*>(Q(control));
  if (!found) throw std::logic_error("no control named \"" + control + "\"");
  return found;
}

QWidget* QtFormView::FindWidget(const std::string& control) const {
  auto* w = qobject_cast<QWidget*>(Find(control));
  if (!w) Unsupported(control, "be shown");
  return w;
}

bool QtFormView::Has(const std::string& control) const {
  return root_->objectName() == Q(control) || root_->findChild<QObject*>(Q(control)) != nullptr;
}

void QtFormView::SetText(const std::string& control, const std::string& text) {
  QObject* o = Find(control);
  if (o == root_) return root_->setWindowTitle(Q(text));
  if (auto* w = qobject_cast<QLabel*>(o)) {
    // Texts come from operators and files (names, diagnoses): never read them as markup.
    w->setTextFormat(Qt::PlainText);
    return w->setText(Q(text));
  }
  if (auto* w = qobject_cast<QAbstractButton*>(o)) return w->setText(Q(text));
  if (auto* w = qobject_cast<QLineEdit*>(o)) return w->setText(Q(text));
  if (auto* w = qobject_cast<QPlainTextEdit*>(o)) return w->setPlainText(Q(text));
  if (auto* w = qobject_cast<QTextEdit*>(o)) return w->setPlainText(Q(text));
  if (auto* w = qobject_cast<QGroupBox*>(o)) return w->setTitle(Q(text));
  if (auto* w = qobject_cast<QComboBox*>(o)) return w->setCurrentText(Q(text));
  if (auto* w = qobject_cast<QSpinBox*>(o)) return w->setValue(Q(text).toInt());
  Unsupported(control, "take a text");
}

std::string QtFormView::Text(const std::string& control) const {
  QObject* o = Find(control);
  if (o == root_) return root_->windowTitle().toStdString();
  if (auto* w = qobject_cast<QLabel*>(o)) return w->text().toStdString();
  if (auto* w = qobject_cast<QAbstractButton*>(o)) return w->text().toStdString();
  if (auto* w = qobject_cast<QLineEdit*>(o)) return w->text().toStdString();
  if (auto* w = qobject_cast<QPlainTextEdit*>(o)) return w->toPlainText().toStdString();
  if (auto* w = qobject_cast<QTextEdit*>(o)) return w->toPlainText().toStdString();
  if (auto* w = qobject_cast<QGroupBox*>(o)) return w->title().toStdString();
  if (auto* w = qobject_cast<QComboBox*>(o)) return w->currentText().toStdString();
  if (auto* w = qobject_cast<QSpinBox*>(o)) return w->text().toStdString();
  Unsupported(control, "give a text");
}

void QtFormView::SetHint(const std::string& control, const std::string& hint) {
  FindWidget(control)->setToolTip(Q(hint));
}
std::string QtFormView::Hint(const std::string& control) const {
  return FindWidget(control)->toolTip().toStdString();
}

void QtFormView::SetEnabled(const std::string& control, bool enabled) {
  FindWidget(control)->setEnabled(enabled);
}
bool QtFormView::Enabled(const std::string& control) const {
  return FindWidget(control)->isEnabled();
}

void QtFormView::SetChecked(const std::string& control, bool checked) {
  QObject* o = Find(control);
  if (auto* w = qobject_cast<QAbstractButton*>(o)) return w->setChecked(checked);
  if (auto* w = qobject_cast<QGroupBox*>(o)) return w->setChecked(checked);
  Unsupported(control, "be checked");
}
bool QtFormView::Checked(const std::string& control) const {
  QObject* o = Find(control);
  if (auto* w = qobject_cast<QAbstractButton*>(o)) return w->isChecked();
  if (auto* w = qobject_cast<QGroupBox*>(o)) return w->isChecked();
  Unsupported(control, "be checked");
}

void QtFormView::SetVisible(const std::string& control, bool visible) {
  FindWidget(control)->setVisible(visible);
}
bool QtFormView::Visible(const std::string& control) const {
  return !FindWidget(control)->isHidden();
}

void QtFormView::SetItems(const std::string& control, const std::vector<std::string>& items) {
  QStringList list;
  for (const auto& i : items) list << Q(i);
  QObject* o = Find(control);
  if (auto* w = qobject_cast<QComboBox*>(o)) {
    w->clear();
    return w->addItems(list);
  }
  if (auto* w = qobject_cast<QListWidget*>(o)) {
    w->clear();
    return w->addItems(list);
  }
  Unsupported(control, "hold items");
}

std::vector<std::string> QtFormView::Items(const std::string& control) const {
  std::vector<std::string> out;
  QObject* o = Find(control);
  if (auto* w = qobject_cast<QComboBox*>(o)) {
    for (int i = 0; i < w->count(); ++i) out.push_back(w->itemText(i).toStdString());
    return out;
  }
  if (auto* w = qobject_cast<QListWidget*>(o)) {
    for (int i = 0; i < w->count(); ++i) out.push_back(w->item(i)->text().toStdString());
    return out;
  }
  Unsupported(control, "hold items");
}

void QtFormView::SetItemIndex(const std::string& control, int index) {
  QObject* o = Find(control);
  if (auto* w = qobject_cast<QComboBox*>(o)) return w->setCurrentIndex(index);
  if (auto* w = qobject_cast<QListWidget*>(o)) return w->setCurrentRow(index);
  if (auto* w = qobject_cast<QTabWidget*>(o)) return w->setCurrentIndex(index);
  Unsupported(control, "select an item");
}
int QtFormView::ItemIndex(const std::string& control) const {
  QObject* o = Find(control);
  if (auto* w = qobject_cast<QComboBox*>(o)) return w->currentIndex();
  if (auto* w = qobject_cast<QListWidget*>(o)) return w->currentRow();
  if (auto* w = qobject_cast<QTabWidget*>(o)) return w->currentIndex();
  Unsupported(control, "select an item");
}

void QtFormView::SetCell(const std::string& control, int column, int row, const std::string& text) {
  auto* grid = qobject_cast<QTableWidget*>(Find(control));
  if (!grid) Unsupported(control, "hold cells");
  if (row >= grid->rowCount()) grid->setRowCount(row + 1);
  if (column >= grid->columnCount()) grid->setColumnCount(column + 1);
  QTableWidgetItem* item = grid->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    grid->setItem(row, column, item);
  }
  item->setText(Q(text));
}

std::string QtFormView::Cell(const std::string& control, int column, int row) const {
  auto* grid = qobject_cast<QTableWidget*>(Find(control));
  if (!grid) Unsupported(control, "hold cells");
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text().toStdString() : std::string();
}

void QtFormView::SetValue(const std::string& control, int value) {
  QObject* o = Find(control);
  if (auto* w = qobject_cast<QAbstractSlider*>(o)) return w->setValue(value);
  if (auto* w = qobject_cast<QProgressBar*>(o)) return w->setValue(value);
  if (auto* w = qobject_cast<QSpinBox*>(o)) return w->setValue(value);
  Unsupported(control, "take a value");
}
int QtFormView::Value(const std::string& control) const {
  QObject* o = Find(control);
  if (auto* w = qobject_cast<QAbstractSlider*>(o)) return w->value();
  if (auto* w = qobject_cast<QProgressBar*>(o)) return w->value();
  if (auto* w = qobject_cast<QSpinBox*>(o)) return w->value();
  Unsupported(control, "give a value");
}

void QtFormView::SetImage(const std::string& control, const QImage& image) {
  QObject* o = Find(control);
  if (auto* w = qobject_cast<ImageView*>(o)) return w->setImage(image);
  if (auto* w = qobject_cast<QLabel*>(o)) {
    w->setProperty("zvImage", image);
    return w->setPixmap(QPixmap::fromImage(image));
  }
  Unsupported(control, "show an image");
}
QImage QtFormView::Image(const std::string& control) const {
  QObject* o = Find(control);
  if (auto* w = qobject_cast<ImageView*>(o)) return w->image();
  if (auto* w = qobject_cast<QLabel*>(o)) return w->property("zvImage").value<QImage>();
  Unsupported(control, "show an image");
}

void QtFormView::Repaint(const std::string& control) {
  FindWidget(control)->update();
}

void QtFormView::SetCursor(const std::string& control, Cursor cursor) {
  FindWidget(control)->setCursor(ToQt(cursor));
}

void QtFormView::SetTimer(const std::string& timer, bool enabled, int intervalMs) {
  auto* t = qobject_cast<QTimer*>(Find(timer));
  if (!t) Unsupported(timer, "run as a timer");
  t->setInterval(intervalMs);
  if (enabled) {
    t->start();
  } else {
    t->stop();
  }
}
bool QtFormView::TimerEnabled(const std::string& timer) const {
  auto* t = qobject_cast<QTimer*>(Find(timer));
  if (!t) Unsupported(timer, "run as a timer");
  return t->isActive();
}

void QtFormView::Close(int result) {
  if (auto* d = qobject_cast<QDialog*>(root_)) return d->done(result);
  root_->close();
}

}  // namespace zv

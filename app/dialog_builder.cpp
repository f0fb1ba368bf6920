// dialog_builder.cpp: building dialogs from templates.
#include "app/dialog_builder.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <cmath>
#include <cstdint>

namespace vennaloop {

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return 0;
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  const std::int64_t half = std::abs(static_cast<std::int64_t>(denominator)) / 2;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t magnitude =
      (std::abs(product) + half) / std::abs(static_cast<std::int64_t>(denominator));
  return static_cast<int>(negative ? -magnitude : magnitude);
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters + 26) / 52, metrics.height()};
}

QRect DialogUnitsToPixels(const QRect& units, DialogBaseUnits base) {
  return QRect(MulDiv(units.x(), base.x, 4), MulDiv(units.y(), base.y, 8),
               MulDiv(units.width(), base.x, 4), MulDiv(units.height(), base.y, 8));
}

QFont DialogFontOf(const DialogTemplate& dialogTemplate) {
  QFont font = QApplication::font();
  if (!(dialogTemplate.style & DS_SETFONT)) return font;
  QString face = QString::fromUtf8(dialogTemplate.faceName);
  if ((dialogTemplate.style & DS_SHELLFONT) == DS_SHELLFONT &&
      face == QLatin1String("MS Shell Dlg"))
    face = QStringLiteral("MS Shell Dlg 2");
  font = QFont(face);
  // Points become pixels at the screen's logical resolution, as the template's font height does.
  int dpi = 96;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
  font.setPixelSize(MulDiv(dialogTemplate.pointSize, dpi, 72));
  if (dialogTemplate.weight > 0) font.setWeight(static_cast<QFont::Weight>(dialogTemplate.weight));
  return font;
}

Qt::Alignment EditAlignment(std::uint32_t style, std::uint32_t exStyle) {
  Qt::Alignment horizontal = Qt::AlignLeft;
  if ((style & 0x3) == ES_CENTER)
    horizontal = Qt::AlignHCenter;
  else if ((style & 0x3) == ES_RIGHT || (exStyle & WS_EX_RIGHT))
    horizontal = Qt::AlignRight;
  return horizontal | Qt::AlignVCenter;
}

QString StripMnemonics(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    // "&x" shows x (underlined on some systems); "&&" shows one "&".
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

namespace {

QWidget* CreateButton(const DialogControl& control, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(control.text), parent);
  button->setAutoDefault(true);
  button->setDefault((control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
  return button;
}

QWidget* CreateEdit(const DialogControl& control, QWidget* parent) {
  const bool framed =
      (control.style & WS_BORDER) || (control.exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
  const bool readOnly = control.style & ES_READONLY;
  if (!(control.style & ES_MULTILINE)) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(readOnly);
    edit->setFrame(framed);
    edit->setAlignment(EditAlignment(control.style, control.exStyle));
    edit->setText(QString::fromUtf8(control.text));
    return edit;
  }
  auto* edit = new QPlainTextEdit(parent);
  edit->setReadOnly(readOnly);
  // A read-only box still takes a caret, so its text can be scrolled and selected by keys.
  if (readOnly)
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  edit->setFrameStyle(framed ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
  // Without automatic horizontal scrolling the box wraps; with it, long lines scroll sideways.
  const bool wraps = !(control.style & (ES_AUTOHSCROLL | WS_HSCROLL));
  edit->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  edit->setVerticalScrollBarPolicy((control.style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
  edit->setHorizontalScrollBarPolicy((control.style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn
                                                                  : Qt::ScrollBarAlwaysOff);
  SetWindowText(edit, QString::fromUtf8(control.text));
  return edit;
}

QWidget* CreateStatic(const DialogControl& control, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  const std::uint32_t type = control.style & SS_TYPEMASK;
  if (type == SS_ICON) {
    // An icon static takes the size of a standard icon, whatever the template's size says.
    const int side = label->style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, label);
    label->setPixmap(QApplication::windowIcon().pixmap(side, side));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
  }
  const QString text = QString::fromUtf8(control.text);
  label->setText((control.style & SS_NOPREFIX) ? text : StripMnemonics(text));
  Qt::Alignment horizontal = Qt::AlignLeft;
  if (type == SS_CENTER) horizontal = Qt::AlignHCenter;
  if (type == SS_RIGHT) horizontal = Qt::AlignRight;
  label->setAlignment(horizontal | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

}  // namespace

std::vector<QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate) {
  dialog.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
  if ((dialogTemplate.style & WS_CAPTION) == WS_CAPTION) flags |= Qt::WindowTitleHint;
  if (dialogTemplate.style & WS_SYSMENU)
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (!(dialogTemplate.style & WS_THICKFRAME)) flags |= Qt::MSWindowsFixedSizeDialogHint;
  dialog.setWindowFlags(flags);

  const QFont font = DialogFontOf(dialogTemplate);
  dialog.setFont(font);
  const DialogBaseUnits base = BaseUnitsOf(font);
  const QRect client = DialogUnitsToPixels(QRect(0, 0, dialogTemplate.cx, dialogTemplate.cy), base);
  if (dialogTemplate.style & WS_THICKFRAME)
    dialog.resize(client.size());
  else
    dialog.setFixedSize(client.size());

  std::vector<QWidget*> controls;
  QWidget* previousTabStop = nullptr;
  for (const DialogControl& control : dialogTemplate.controls) {
    QWidget* widget = nullptr;
    switch (control.controlClass) {
      case ControlClass::kButton:
        widget = CreateButton(control, &dialog);
        break;
      case ControlClass::kEdit:
        widget = CreateEdit(control, &dialog);
        break;
      case ControlClass::kStatic:
        widget = CreateStatic(control, &dialog);
        break;
    }
    QRect rect = DialogUnitsToPixels(QRect(control.x, control.y, control.cx, control.cy), base);
    if (const auto* label = qobject_cast<QLabel*>(widget); label && !label->pixmap().isNull())
      rect.setSize(label->pixmap().deviceIndependentSize().toSize());
    widget->setGeometry(rect);
    widget->setProperty("controlId", control.id);
    if (control.style & WS_TABSTOP) {
      widget->setFocusPolicy(Qt::StrongFocus);
      if (previousTabStop) QWidget::setTabOrder(previousTabStop, widget);
      previousTabStop = widget;
    } else {
      widget->setFocusPolicy(control.controlClass == ControlClass::kStatic ? Qt::NoFocus
                                                                           : Qt::ClickFocus);
    }
    widget->setEnabled(!(control.style & WS_DISABLED));
    widget->setVisible(control.style & WS_VISIBLE);
    controls.push_back(widget);
  }
  return controls;
}

QString WindowText(const QWidget* control) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (const auto* box = qobject_cast<const QPlainTextEdit*>(control)) {
    QString text = box->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
  }
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* button = qobject_cast<const QPushButton*>(control)) return button->text();
  return control ? control->windowTitle() : QString();
}

void SetWindowText(QWidget* control, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(text);
    edit->setCursorPosition(0);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setPlainText(plain);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QPushButton*>(control)) {
    button->setText(text);
  } else if (control) {
    control->setWindowTitle(text);
  }
}

}  // namespace vennaloop

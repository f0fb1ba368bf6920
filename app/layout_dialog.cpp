// layout_dialog.cpp: building and showing dialogs from their shared layouts.
#include "app/layout_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "app/window_room.h"
#include "ui/window_fit.h"

namespace vennaloop {

namespace {

Qt::Alignment AlignmentOf(TextAlign align) {
  switch (align) {
    case TextAlign::Center:
      return Qt::AlignHCenter;
    case TextAlign::Right:
      return Qt::AlignRight;
    case TextAlign::Left:
      break;
  }
  return Qt::AlignLeft;
}

// Read-only fields lie on the dialog's face, as the game's own platform draws them; the edge is
// a flat dark line or a thin sunken one.
QString FieldStyle(const char* widgetClass, ControlEdge edge) {
  QString border;
  switch (edge) {
    case ControlEdge::None:
      border = QStringLiteral("border: none;");
      break;
    case ControlEdge::Line:
      border = QStringLiteral("border: 1px solid palette(shadow);");
      break;
    case ControlEdge::Sunken:
      border = QStringLiteral(
          "border: 1px solid; border-color: palette(dark) palette(light) palette(light) "
          "palette(dark);");
      break;
  }
  return QStringLiteral("%1 { background: palette(window); %2 }")
      .arg(QLatin1String(widgetClass), border);
}

QWidget* CreateControl(const DialogControl& control, const QString& text, QWidget* parent) {
  switch (control.role) {
    case ControlRole::Button: {
      auto* button = new QPushButton(text, parent);
      button->setAutoDefault(true);
      button->setDefault(control.isDefault);
      return button;
    }
    case ControlRole::ReadOnlyField: {
      auto* field = new QLineEdit(text, parent);
      field->setReadOnly(true);
      field->setCursorPosition(0);  // a text wider than the field shows its start
      field->setAlignment(AlignmentOf(control.align) | Qt::AlignVCenter);
      field->setStyleSheet(FieldStyle("QLineEdit", control.edge));
      return field;
    }
    case ControlRole::ScrollingText: {
      auto* box = new QPlainTextEdit(text, parent);
      box->setReadOnly(true);
      // Read-only, it still takes a caret, so its text can be scrolled and selected by keys.
      box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      box->setLineWrapMode(QPlainTextEdit::NoWrap);  // a long line scrolls sideways
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setStyleSheet(FieldStyle("QPlainTextEdit", control.edge));
      return box;
    }
    case ControlRole::Icon: {
      auto* icon = new QLabel(parent);
      // The standard icon size, whatever the layout's rectangle says.
      icon->setPixmap(QApplication::windowIcon().pixmap(DIALOG_ICON_SIZE, DIALOG_ICON_SIZE));
      icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      icon->setScaledContents(true);  // drawn at the label's size in a shrunk dialog
      return icon;
    }
    case ControlRole::Label:
      break;
  }
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(AlignmentOf(control.align) | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

}  // namespace

QFont QFontOf(const DialogFont& dialogFont) {
  QFont font(QString::fromUtf8(dialogFont.face));
  // Points become pixels at the screen's logical resolution, as the layout's font height does.
  int dpi = 96;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
  font.setPixelSize(PointsToPixels(dialogFont.pointSize, dpi));
  if (dialogFont.weight > 0) font.setWeight(static_cast<QFont::Weight>(dialogFont.weight));
  return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  return BaseUnitsFrom(metrics.horizontalAdvance(QLatin1String(BASE_UNIT_LETTERS)),
                       metrics.height());
}

LayoutDialog::LayoutDialog(const DialogRequest& request, QWidget* owner)
    : QDialog(owner ? owner->window() : nullptr),
      request_(request),
      layout_(DialogLayoutOf(request.kind)),
      owner_(owner ? owner->window() : nullptr) {
  const DialogLayout& layout = layout_;
  const std::vector<std::string> texts = ControlTexts(request);
  setWindowTitle(QString::fromUtf8(layout.caption));
  // A caption with a close box and no other buttons; the size is fixed.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  QWidget* previousTabStop = nullptr;
  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    const DialogControl& control = layout.controls[i];
    QWidget* widget = CreateControl(control, QString::fromStdString(texts[i]), this);
    if (control.tabStop) {
      widget->setFocusPolicy(Qt::StrongFocus);
      if (previousTabStop) QWidget::setTabOrder(previousTabStop, widget);
      previousTabStop = widget;
    } else {
      widget->setFocusPolicy(control.role == ControlRole::Label ? Qt::NoFocus : Qt::ClickFocus);
    }
    if (auto* button = qobject_cast<QPushButton*>(widget))
      connect(button, &QPushButton::clicked, this, &QDialog::accept);
    // A screen reader names a field by the label on its row, or else by the caption.
    if (IsNamedField(control)) {
      const std::optional<std::size_t> label = NamingLabelOf(layout, i);
      widget->setAccessibleName(QString::fromUtf8(label ? texts[*label].c_str() : layout.caption));
    }
    controls_.push_back(widget);
  }
  placeControls(1);
  if (const QScreen* screen = owner_ ? owner_->screen() : QGuiApplication::primaryScreen())
    fitInto(ClientRoom(*screen));
}

void LayoutDialog::placeControls(double scale) {
  // The layout's pixels at the dialog's own font, then every one of them and the font scaled.
  QFont font = QFontOf(layout_.font);
  const DialogBaseUnits base = BaseUnitsOf(font);
  const auto scaled = [scale](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };
  if (scale < 1) font.setPixelSize(std::max(1, scaled(font.pixelSize())));
  setFont(font);
  const DialogRect client = DialogUnitsToPixels({0, 0, layout_.width, layout_.height}, base);
  setFixedSize(scaled(client.width), scaled(client.height));
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const DialogControl& control = layout_.controls[i];
    const DialogRect rect =
        DialogUnitsToPixels({control.x, control.y, control.width, control.height}, base);
    QRect geometry(scaled(rect.x), scaled(rect.y), scaled(rect.width), scaled(rect.height));
    if (control.role == ControlRole::Icon)
      geometry.setSize(QSize(scaled(DIALOG_ICON_SIZE), scaled(DIALOG_ICON_SIZE)));
    controls_[i]->setGeometry(geometry);
  }
}

QWidget* LayoutDialog::control(ControlValue value) const {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (layout_.controls[i].value == value) return controls_[i];
  return nullptr;
}

void LayoutDialog::fitInto(QSize area) {
  placeControls(1);
  const double scale = DialogFitScale({width(), height()}, {area.width(), area.height()});
  if (scale < 1) placeControls(scale);
}

void LayoutDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The focus starts on the first control of the tab order, and the dialog takes the keyboard as
  // it appears, with or without a window manager to hand it over.
  for (QWidget* widget : controls_) {
    if (widget->focusPolicy() & Qt::TabFocus) {
      widget->setFocus(Qt::TabFocusReason);
      break;
    }
  }
  activateWindow();
}

void LayoutDialog::openModal(std::function<void(DialogAnswer)> answered) {
  setWindowModality(Qt::ApplicationModal);
  const bool disablesOwner = owner_ && owner_->isEnabled();
  if (disablesOwner) {
    owner_->setEnabled(false);
    setEnabled(true);  // a window child is not held by its disabled owner once enabled itself
  }
  connect(
      this, &QDialog::finished, this,
      [this, disablesOwner, answered = std::move(answered)](int result) {
        if (disablesOwner && owner_) owner_->setEnabled(true);
        if (answered)
          answered(result == QDialog::Accepted ? DialogAnswer::Ok : DialogAnswer::Cancel);
      },
      Qt::SingleShotConnection);
  show();
}

}  // namespace vennaloop

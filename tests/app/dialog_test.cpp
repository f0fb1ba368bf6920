// dialog_test.cpp: the dialogs built from their shared layouts: fonts, dialog units, roles,
// texts, edges, tab order, fitting a small screen, and answering them with OK, Enter, Esc and the
// close box while the event loop goes on.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <functional>
#include <optional>

#include "app/layout_dialog.h"
#include "face_names.h"
#include "qt_printers.h"
#include "ui/texts.h"

namespace vennaloop {
namespace {

int ScreenDpi() {
  return static_cast<int>(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInchY()));
}

QLineEdit* Field(const LayoutDialog& dialog, ControlValue value) {
  return qobject_cast<QLineEdit*>(dialog.control(value));
}

QPushButton* OkButton(const LayoutDialog& dialog) {
  for (QWidget* control : dialog.controls())
    if (auto* button = qobject_cast<QPushButton*>(control)) return button;
  return nullptr;
}

const DialogRequest ABOUT{DialogKind::About, {}};
const DialogRequest AUTHOR{DialogKind::AuthorProfile, {}};
const DialogRequest EXHAUSTED{DialogKind::StageResult,
                              {Outcome::HitPointsExhausted, 1234, 0, 0, 30}};

// ---- Fonts and dialog units ---------------------------------------------------------------------

TEST(DialogFontTest, TheLayoutsFaceAtItsPointSize) {
  const QFont shell = QFontOf(StageResultDialogLayout().font);
  EXPECT_EQ(apptest::EnglishFamily(shell), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(shell.pixelSize(), PointsToPixels(8, ScreenDpi()));
  EXPECT_EQ(shell.weight(), QFont::Normal);
  const QFont gothic = QFontOf(AboutDialogLayout().font);
  EXPECT_EQ(apptest::EnglishFamily(gothic), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(gothic.pixelSize(), PointsToPixels(9, ScreenDpi()));
}

TEST(DialogFontTest, BaseUnitsAreTheMeanLetterWidthAndTheHeight) {
  QFont mono("DejaVu Sans Mono");
  mono.setPixelSize(13);
  const QFontMetrics metrics(mono);
  EXPECT_EQ(BaseUnitsOf(mono).x, metrics.horizontalAdvance(QLatin1Char('x')));
  EXPECT_EQ(BaseUnitsOf(mono).y, metrics.ascent() + metrics.descent());
}

TEST(DialogBuilderTest, EveryControlSitsAtItsDialogUnits) {
  LayoutDialog about(ABOUT);
  LayoutDialog author(AUTHOR);
  LayoutDialog stage(EXHAUSTED);
  const std::pair<const LayoutDialog*, const DialogLayout*> dialogs[] = {
      {&about, &AboutDialogLayout()},
      {&author, &AuthorDialogLayout()},
      {&stage, &StageResultDialogLayout()}};
  for (const auto& [dialog, layout] : dialogs) {
    SCOPED_TRACE(layout->caption);
    const DialogBaseUnits base = BaseUnitsOf(QFontOf(layout->font));
    const DialogRect size = DialogUnitsToPixels({0, 0, layout->width, layout->height}, base);
    EXPECT_EQ(dialog->size(), QSize(size.width, size.height));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << "a modal frame does not resize";
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(layout->caption));
    ASSERT_EQ(dialog->controls().size(), layout->controls.size());
    for (std::size_t i = 0; i < layout->controls.size(); ++i) {
      const DialogControl& c = layout->controls[i];
      const DialogRect r = DialogUnitsToPixels({c.x, c.y, c.width, c.height}, base);
      const QRect geometry = dialog->controls()[i]->geometry();
      EXPECT_EQ(geometry.topLeft(), QPoint(r.x, r.y)) << "control " << i;
      // An icon takes the size of a standard icon, whatever its rectangle says.
      if (c.role != ControlRole::Icon) {
        EXPECT_EQ(geometry.size(), QSize(r.width, r.height)) << "control " << i;
      }
    }
  }
}

// ---- Roles, edges and tab order -----------------------------------------------------------------

TEST(DialogBuilderTest, TheStageResultShowsItsLinesAndCountersReadOnly) {
  LayoutDialog dialog(EXHAUSTED);
  EXPECT_EQ(Field(dialog, ControlValue::StageLine1)->text(),
            QString::fromUtf8("遊びの時間は終わらない。"));
  EXPECT_EQ(Field(dialog, ControlValue::StageLine2)->text(), "Playing Time Never Ends.");
  const std::tuple<ControlValue, const char*, const char*> counters[] = {
      {ControlValue::ElapsedCycles, "1234", "Elapsed Cycle:"},
      {ControlValue::SkippedCycle, "0", "Skipped Cycle:"},
      {ControlValue::HitPoints, "0", "Current HP:"},
      {ControlValue::NextStageAliens, "30", "NextStageAliens:"}};
  for (const auto& [value, text, name] : counters) {
    QLineEdit* counter = Field(dialog, value);
    ASSERT_TRUE(counter);
    EXPECT_EQ(counter->text(), text);
    EXPECT_EQ(counter->accessibleName(), name);
    EXPECT_TRUE(counter->isReadOnly());
    EXPECT_EQ(counter->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  }
  for (ControlValue line : {ControlValue::StageLine1, ControlValue::StageLine2}) {
    EXPECT_TRUE(Field(dialog, line)->isReadOnly());
    EXPECT_EQ(Field(dialog, line)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(Field(dialog, line)->accessibleName(), "Go To Next Stage");
  }
  EXPECT_TRUE(OkButton(dialog)->isDefault());
  int labels = 0;
  for (QWidget* control : dialog.controls()) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
      ++labels;
      EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    }
  }
  EXPECT_EQ(labels, 4);
}

TEST(DialogBuilderTest, ReadOnlyFieldsLieOnTheFaceAndTheTwoLinesHaveDifferentEdges) {
  LayoutDialog dialog(EXHAUSTED);
  dialog.show();
  const QImage shot = dialog.grab().toImage();
  const QRgb face = dialog.palette().color(QPalette::Window).rgb();
  const QRect line1 = Field(dialog, ControlValue::StageLine1)->geometry();
  const QRect line2 = Field(dialog, ControlValue::StageLine2)->geometry();
  const QRect counter = Field(dialog, ControlValue::ElapsedCycles)->geometry();
  for (const QRect& field : {line1, line2, counter})
    EXPECT_EQ(shot.pixel(field.left() + 3, field.bottom() - 2), face) << "inside, on the face";
  // A sunken edge is dark above and light below; a line is dark all round.
  EXPECT_NE(shot.pixel(line1.left() + 8, line1.top()), face);
  EXPECT_NE(shot.pixel(line1.left() + 8, line1.bottom()),
            shot.pixel(line2.left() + 8, line2.bottom()));
  EXPECT_EQ(shot.pixel(line2.left() + 8, line2.top()),
            shot.pixel(line2.left() + 8, line2.bottom()));
}

TEST(DialogBuilderTest, TabOrderFollowsTheLayout) {
  LayoutDialog dialog(EXHAUSTED);
  std::vector<QWidget*> tabStops;
  for (std::size_t i = 0; i < dialog.controls().size(); ++i)
    if (StageResultDialogLayout().controls[i].tabStop) tabStops.push_back(dialog.controls()[i]);
  ASSERT_EQ(tabStops.size(), 7u);
  EXPECT_EQ(tabStops.front(), OkButton(dialog));
  QWidget* widget = tabStops.front();
  for (std::size_t i = 1; i <= tabStops.size(); ++i) {
    do {
      widget = widget->nextInFocusChain();
    } while (widget->focusPolicy() != Qt::StrongFocus);
    EXPECT_EQ(widget, tabStops[i % tabStops.size()]) << "stop " << i;
  }
}

TEST(DialogBuilderTest, TheProfileIsReadOnlyScrollingUnwrappedAndWhole) {
  LayoutDialog dialog(AUTHOR);
  auto* box = qobject_cast<QPlainTextEdit*>(dialog.control(ControlValue::AuthorProfile));
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->isReadOnly());
  EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByKeyboard);
  EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(box->toPlainText(), QString::fromUtf8(AuthorProfileText()));
  EXPECT_EQ(box->blockCount(), 262);  // 261 lines and the empty one after the last line break
}

TEST(DialogBuilderTest, TheAboutBoxShowsTheIconAndItsTexts) {
  LayoutDialog dialog(ABOUT);
  ASSERT_EQ(dialog.controls().size(), 4u);
  auto* icon = qobject_cast<QLabel*>(dialog.controls()[0]);
  ASSERT_TRUE(icon);
  EXPECT_FALSE(icon->pixmap().isNull());
  EXPECT_EQ(qobject_cast<QLabel*>(dialog.controls()[1])->text(), "Vennaloop, Version 0.5.0");
  EXPECT_EQ(qobject_cast<QLabel*>(dialog.controls()[2])->text(), QString::fromUtf8(COPYRIGHT_LINE));
}

// ---- A small screen
// ------------------------------------------------------------------------------

TEST(DialogFitTest, ADialogShrinksWholeIntoASmallScreenKeepingItsLayout) {
  LayoutDialog dialog(AUTHOR);
  const QSize design = dialog.size();
  const int designPixels = dialog.font().pixelSize();
  const QSize areas[] = {design + QSize(10, 10), design,
                         QSize(design.width() - 60, design.height() - 140),
                         QSize(design.width() / 2, design.height())};
  for (const QSize& area : areas) {
    SCOPED_TRACE(testing::Message() << "area " << area.width() << " x " << area.height());
    dialog.fitInto(area);
    if (design.width() <= area.width() && design.height() <= area.height()) {
      EXPECT_EQ(dialog.size(), design) << "where it fits, the design size";
      EXPECT_EQ(dialog.font().pixelSize(), designPixels);
      continue;
    }
    EXPECT_LE(dialog.width(), area.width());
    EXPECT_LE(dialog.height(), area.height());
    EXPECT_LT(dialog.font().pixelSize(), designPixels) << "the font shrinks with the dialog";
    // Its proportions and every control's place within it stay those of the design.
    const double aspect = static_cast<double>(dialog.width()) / dialog.height();
    EXPECT_NEAR(aspect, static_cast<double>(design.width()) / design.height(), 0.08);
    for (QWidget* control : dialog.controls())
      EXPECT_TRUE(dialog.rect().contains(control->geometry()))
          << control->metaObject()->className();
  }
}

// ---- Answering the dialogs ----------------------------------------------------------------------

// Opens `dialog` as the game does and lets `act` answer it; the answer, or none.
std::optional<DialogAnswer> AnswerOf(LayoutDialog& dialog, const std::function<void()>& act) {
  std::optional<DialogAnswer> answer;
  dialog.openModal([&answer](DialogAnswer a) { answer = a; });
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_FALSE(answer) << "answered before anything was done";
  act();
  QTest::qWait(0);
  return answer;
}

TEST(DialogAnswerTest, OkEnterEscapeAndTheCloseBoxAnswer) {
  struct Case {
    const char* what;
    std::function<void(LayoutDialog&)> act;
    DialogAnswer answer;
  };
  const Case cases[] = {
      {"OK clicked", [](LayoutDialog& d) { OkButton(d)->click(); }, DialogAnswer::Ok},
      {"Enter on a read-only line",
       [](LayoutDialog& d) {
         QLineEdit* line = Field(d, ControlValue::StageLine1);
         line->setFocus();
         QTest::keyClick(line, Qt::Key_Return);
       },
       DialogAnswer::Ok},
      {"Esc", [](LayoutDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, DialogAnswer::Cancel},
      {"close box", [](LayoutDialog& d) { d.close(); }, DialogAnswer::Cancel},
  };
  for (const Case& c : cases) {
    LayoutDialog dialog(EXHAUSTED);
    EXPECT_EQ(AnswerOf(dialog, [&] { c.act(dialog); }), c.answer) << c.what;
    EXPECT_FALSE(dialog.isVisible()) << c.what;
  }
}

TEST(DialogAnswerTest, OwnerIsDisabledWhileUpAndTheDialogIsCentredOverIt) {
  QWidget owner;
  owner.setGeometry(100, 80, 900, 500);
  owner.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
  LayoutDialog about(ABOUT, &owner);
  const auto answer = AnswerOf(about, [&] {
    EXPECT_FALSE(owner.isEnabled());
    EXPECT_TRUE(about.isEnabled());
    EXPECT_TRUE(about.isModal());
    const QPoint offset = about.frameGeometry().center() - owner.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
    about.reject();
  });
  EXPECT_EQ(answer, DialogAnswer::Cancel);
  EXPECT_TRUE(owner.isEnabled());
}

TEST(DialogAnswerTest, TheProfileOpensWithTheFocusOnOkAndEnterInItsBoxIsOk) {
  LayoutDialog dialog(AUTHOR);
  const auto answer = AnswerOf(dialog, [&] {
    EXPECT_EQ(dialog.focusWidget(), OkButton(dialog));
    // The box is read-only: Enter in it goes to the default button.
    QTest::keyClick(dialog.control(ControlValue::AuthorProfile), Qt::Key_Return);
  });
  EXPECT_EQ(answer, DialogAnswer::Ok);
}

}  // namespace
}  // namespace vennaloop

// dialog_test.cpp: the dialog builder (dialog units, fonts, styles), data exchange, and the three
// dialogs run modally with OK, Enter, Esc and the close box.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cmath>

#include "app/about_dlg.h"
#include "app/dialog_builder.h"
#include "app/dlg_about_author.h"
#include "app/dlg_next_stage.h"
#include "modal_helper.h"
#include "qt_printers.h"

namespace vennaloop {
namespace {

using apptest::WhenModalShows;

QLineEdit* LineEdit(const TemplateDialog& dialog, int id) {
  return qobject_cast<QLineEdit*>(dialog.GetDlgItem(id));
}

int ScreenDpi() {
  return static_cast<int>(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInchY()));
}

// ---- Dialog units ------------------------------------------------------------------------------

TEST(DialogUnitsTest, MulDivRoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(10, 6, 4), 15);
  EXPECT_EQ(MulDiv(7, 6, 4), 11);  // 10.5
  EXPECT_EQ(MulDiv(-7, 6, 4), -11);
  EXPECT_EQ(MulDiv(5, 13, 8), 8);  // 8.125
  EXPECT_EQ(MulDiv(3, 13, 8), 5);  // 4.875
  EXPECT_EQ(MulDiv(1, 1, 0), 0);
  EXPECT_EQ(MulDiv(1 << 20, 1 << 20, 1 << 20), 1 << 20);  // no overflow in the product
}

TEST(DialogUnitsTest, XIsQuarterBaseWidthAndYIsEighthBaseHeight) {
  // Worked example: base units 6 x 13.
  const QRect pixels = DialogUnitsToPixels(QRect(7, 7, 170, 14), {6, 13});
  EXPECT_EQ(pixels, QRect(11, 11, 255, 23));  // 10.5 -> 11, 11.375 -> 11, 255, 22.75 -> 23
}

TEST(DialogUnitsTest, BaseUnitsOfAMonospacedFontAreItsAdvanceAndHeight) {
  QFont font("DejaVu Sans Mono");
  font.setPixelSize(13);
  const QFontMetrics metrics(font);
  const DialogBaseUnits base = BaseUnitsOf(font);
  EXPECT_EQ(base.x, metrics.horizontalAdvance(QLatin1Char('x')));
  EXPECT_EQ(base.y, metrics.ascent() + metrics.descent());
}

TEST(DialogUnitsTest, BaseWidthIsTheRoundedMeanOfTheFiftyTwoLetters) {
  QFont font("DejaVu Sans");
  font.setPixelSize(11);
  const int letters = QFontMetrics(font).horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  const int x = BaseUnitsOf(font).x;
  EXPECT_LE(std::abs(x * 52 - letters), 26) << "letters " << letters << " base " << x;
}

// ---- Fonts and frames of the templates ----------------------------------------------------------

TEST(DialogFontTest, ShellDialogFontIsTheMappedSansAtEightPoints) {
  const QFont font = DialogFontOf(NextStageDialogTemplate());
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(font.pixelSize(), MulDiv(8, ScreenDpi(), 72));
  EXPECT_EQ(font.weight(), QFont::Normal);
}

TEST(DialogFontTest, AboutBoxUsesTheMappedGothicAtNinePoints) {
  const QFont font = DialogFontOf(AboutDialogTemplate());
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(font.pixelSize(), MulDiv(9, ScreenDpi(), 72));
}

TEST(DialogFontTest, WithoutSetFontTheApplicationFontIsUsed) {
  DialogTemplate plain = AboutDialogTemplate();
  plain.style &= ~DS_SETFONT;
  EXPECT_EQ(DialogFontOf(plain), QApplication::font());
}

TEST(DialogBuilderTest, SizesAndPositionsComeFromTheDialogFont) {
  CDlgNextStage dialog;
  const DialogBaseUnits base = BaseUnitsOf(DialogFontOf(NextStageDialogTemplate()));
  EXPECT_EQ(dialog.size(), QSize(MulDiv(184, base.x, 4), MulDiv(137, base.y, 8)));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "a modal frame does not resize";
  EXPECT_EQ(dialog.GetDlgItem(IDOK)->geometry(),
            QRect(MulDiv(127, base.x, 4), MulDiv(116, base.y, 8), MulDiv(50, base.x, 4),
                  MulDiv(14, base.y, 8)));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Go To Next Stage"));
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
}

// ---- Styles ------------------------------------------------------------------------------------

TEST(DialogStyleTest, StageResultControlsTakeTheirStyles) {
  CDlgNextStage dialog;
  QLineEdit* line1 = LineEdit(dialog, IDC_STAGE_LINE1);
  QLineEdit* line2 = LineEdit(dialog, IDC_STAGE_LINE2);
  ASSERT_TRUE(line1 && line2);
  for (QLineEdit* line : {line1, line2}) {
    EXPECT_TRUE(line->isReadOnly());
    EXPECT_EQ(line->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(line->hasFrame());  // a static edge on line 1, a border on line 2
    EXPECT_EQ(line->focusPolicy(), Qt::StrongFocus);
  }
  for (int id = IDC_ELAPSED_CYCLES; id <= IDC_NEXT_STAGE_ALIENS; ++id) {
    QLineEdit* counter = LineEdit(dialog, id);
    ASSERT_TRUE(counter) << id;
    EXPECT_TRUE(counter->isReadOnly());
    EXPECT_EQ(counter->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight) << id;
  }
  auto* ok = qobject_cast<QPushButton*>(dialog.GetDlgItem(IDOK));
  ASSERT_TRUE(ok);
  EXPECT_TRUE(ok->isDefault());
  int labels = 0;
  for (QWidget* control : dialog.Controls()) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
      ++labels;
      EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
      EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
  }
  EXPECT_EQ(labels, 4);
}

TEST(DialogStyleTest, TabOrderFollowsTheTemplate) {
  CDlgNextStage dialog;
  const int expected[] = {IDOK,
                          IDC_STAGE_LINE1,
                          IDC_STAGE_LINE2,
                          IDC_ELAPSED_CYCLES,
                          IDC_SKIPPED_CYCLE,
                          IDC_CURRENT_HP,
                          IDC_NEXT_STAGE_ALIENS,
                          IDOK};
  QWidget* widget = dialog.GetDlgItem(IDOK);
  for (std::size_t i = 1; i < std::size(expected); ++i) {
    do {
      widget = widget->nextInFocusChain();
    } while (widget->focusPolicy() != Qt::StrongFocus);
    EXPECT_EQ(widget, dialog.GetDlgItem(expected[i])) << "stop " << i;
  }
}

TEST(DialogStyleTest, ProfileBoxIsReadOnlyScrollingAndUnwrapped) {
  CDlgAboutAuthor dialog;
  auto* box = qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(IDC_AUTHOR_PROFILE));
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->isReadOnly());
  EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByKeyboard);
  EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_NE(box->frameShape(), QFrame::NoFrame);
}

TEST(DialogStyleTest, AboutBoxShowsTheIconAndItsTexts) {
  CAboutDlg dialog;
  const DialogBaseUnits base = BaseUnitsOf(DialogFontOf(AboutDialogTemplate()));
  const std::vector<QWidget*>& controls = dialog.Controls();
  ASSERT_EQ(controls.size(), 4u);
  auto* icon = qobject_cast<QLabel*>(controls[0]);
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->pos(), QPoint(MulDiv(14, base.x, 4), MulDiv(14, base.y, 8)));
  EXPECT_EQ(qobject_cast<QLabel*>(controls[1])->text(), QStringLiteral("Vennaloop, Version 0.5.0"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("バージョン情報 Vennaloop"));
}

TEST(DialogStyleTest, StaticTextsLoseTheirMnemonicMarksUnlessNoPrefix) {
  EXPECT_EQ(StripMnemonics(QStringLiteral("&Name")), QStringLiteral("Name"));
  EXPECT_EQ(StripMnemonics(QStringLiteral("A&&B")), QStringLiteral("A&B"));
  EXPECT_EQ(StripMnemonics(QStringLiteral("end&")), QStringLiteral("end&"));

  const DialogControl controls[] = {
      {.id = 7,
       .controlClass = ControlClass::kStatic,
       .style = WS_CHILD | WS_VISIBLE | SS_CENTER,
       .exStyle = 0,
       .x = 0,
       .y = 0,
       .cx = 40,
       .cy = 8,
       .text = "&Speed"},
      {.id = 8,
       .controlClass = ControlClass::kStatic,
       .style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_RIGHT,
       .exStyle = 0,
       .x = 0,
       .y = 10,
       .cx = 40,
       .cy = 8,
       .text = "R&D"},
      {.id = 9,
       .controlClass = ControlClass::kEdit,
       .style = WS_CHILD | WS_DISABLED,
       .exStyle = 0,
       .x = 0,
       .y = 20,
       .cx = 40,
       .cy = 8,
       .text = "x"},
  };
  DialogTemplate custom = AboutDialogTemplate();
  custom.controls = controls;
  TemplateDialog dialog(custom, nullptr);
  auto* speed = qobject_cast<QLabel*>(dialog.GetDlgItem(7));
  auto* research = qobject_cast<QLabel*>(dialog.GetDlgItem(8));
  ASSERT_TRUE(speed && research);
  EXPECT_EQ(speed->text(), QStringLiteral("Speed"));
  EXPECT_EQ(speed->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(research->text(), QStringLiteral("R&D"));
  EXPECT_EQ(research->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  QWidget* edit = dialog.GetDlgItem(9);
  EXPECT_FALSE(edit->isEnabled());
  EXPECT_TRUE(edit->isHidden()) << "no WS_VISIBLE";
  EXPECT_NE(edit->focusPolicy(), Qt::StrongFocus) << "no WS_TABSTOP";
}

// ---- Stage result texts
// --------------------------------------------------------------------------

TEST(StageResultTest, EachOutcomeChoosesItsTwoLines) {
  const char* const expected[3][2] = {
      {"ようやった。さあ、次行こうか！", "You Win! Let's Go To Next Stage."},
      {"あきらめるな。まだまだだ！", "Neverrrr, Give Up! Go To Next."},
      {"遊びの時間は終わらない。", "Playing Time Never Ends."},
  };
  for (int outcome = 0; outcome < 3; ++outcome) {
    CDlgNextStage dialog;
    dialog.SetStageOutcome(outcome);
    EXPECT_EQ(dialog.line1, QString::fromUtf8(expected[outcome][0])) << outcome;
    EXPECT_EQ(dialog.line2, QString::fromUtf8(expected[outcome][1])) << outcome;
  }
}

TEST(StageResultTest, AnIndexOutsideTheTablesLeavesTheLines) {
  CDlgNextStage dialog;
  dialog.SetStageOutcome(1);
  dialog.SetStageOutcome(3);
  dialog.SetStageOutcome(-1);
  EXPECT_EQ(dialog.line2, QString::fromUtf8(StageLine2[1]));
}

TEST(StageResultTest, ConstructedEmptyWithZeroCounters) {
  CDlgNextStage dialog;
  EXPECT_TRUE(dialog.line1.isEmpty());
  EXPECT_TRUE(dialog.line2.isEmpty());
  EXPECT_EQ(
      dialog.elapsedCycles + dialog.skippedCycle + dialog.currentHitPoints + dialog.nextStageAliens,
      0);
}

// ---- Running the dialogs
// -------------------------------------------------------------------------

class StageDialogRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_.SetStageOutcome(2);
    dialog_.elapsedCycles = 1234;
    dialog_.skippedCycle = 0;
    dialog_.currentHitPoints = 0;
    dialog_.nextStageAliens = 30;
  }
  CDlgNextStage dialog_;
};

TEST_F(StageDialogRun, FieldsAreLoadedWhenShownAndNotBefore) {
  EXPECT_TRUE(LineEdit(dialog_, IDC_ELAPSED_CYCLES)->text().isEmpty());
  QStringList shown;
  WhenModalShows([&](QDialog* up) {
    for (int id : {IDC_STAGE_LINE1, IDC_STAGE_LINE2, IDC_ELAPSED_CYCLES, IDC_SKIPPED_CYCLE,
                   IDC_CURRENT_HP, IDC_NEXT_STAGE_ALIENS})
      shown << LineEdit(dialog_, id)->text();
    up->reject();
  });
  EXPECT_EQ(dialog_.DoModal(), IDCANCEL);
  EXPECT_EQ(shown, QStringList({QString::fromUtf8("遊びの時間は終わらない。"),
                                "Playing Time Never Ends.", "1234", "0", "0", "30"}));
}

TEST_F(StageDialogRun, OkSavesTheControlsBack) {
  WhenModalShows([&](QDialog*) {
    LineEdit(dialog_, IDC_ELAPSED_CYCLES)->setText("-41");
    LineEdit(dialog_, IDC_STAGE_LINE2)->setText("changed");
    qobject_cast<QPushButton*>(dialog_.GetDlgItem(IDOK))->click();
  });
  EXPECT_EQ(dialog_.DoModal(), IDOK);
  EXPECT_EQ(dialog_.elapsedCycles, -41);
  EXPECT_EQ(dialog_.line2, QStringLiteral("changed"));
}

TEST_F(StageDialogRun, EnterIsOkEvenFromAReadOnlyLine) {
  WhenModalShows([&](QDialog*) {
    LineEdit(dialog_, IDC_CURRENT_HP)->setText("7");
    QLineEdit* line = LineEdit(dialog_, IDC_STAGE_LINE1);
    line->setFocus();
    QTest::keyClick(line, Qt::Key_Return);
  });
  EXPECT_EQ(dialog_.DoModal(), IDOK);
  EXPECT_EQ(dialog_.currentHitPoints, 7);
}

TEST_F(StageDialogRun, EscapeCancelsAndSavesNothing) {
  WhenModalShows([&](QDialog* up) {
    LineEdit(dialog_, IDC_ELAPSED_CYCLES)->setText("99");
    QTest::keyClick(up, Qt::Key_Escape);
  });
  EXPECT_EQ(dialog_.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog_.elapsedCycles, 1234);
}

TEST_F(StageDialogRun, TheCloseBoxCancels) {
  WhenModalShows([&](QDialog* up) {
    LineEdit(dialog_, IDC_SKIPPED_CYCLE)->setText("5");
    up->close();
  });
  EXPECT_EQ(dialog_.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog_.skippedCycle, 0);
}

TEST_F(StageDialogRun, ACounterThatIsNoNumberKeepsTheDialogOpen) {
  bool stayedOpen = false;
  WhenModalShows([&](QDialog* up) {
    QLineEdit* counter = LineEdit(dialog_, IDC_NEXT_STAGE_ALIENS);
    counter->setText("thirty");
    qobject_cast<QPushButton*>(dialog_.GetDlgItem(IDOK))->click();
    stayedOpen = up->isVisible();
    QTest::keyClick(up, Qt::Key_Escape);
  });
  EXPECT_EQ(dialog_.DoModal(), IDCANCEL);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(dialog_.nextStageAliens, 30);
}

TEST(DialogRunTest, OwnerIsDisabledWhileUpAndTheDialogIsCentredOverIt) {
  QWidget owner;
  owner.setGeometry(100, 80, 900, 500);
  owner.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
  bool ownerEnabled = true;
  bool dialogEnabled = false;
  QPoint offset;
  WhenModalShows([&](QDialog* up) {
    ownerEnabled = owner.isEnabled();
    dialogEnabled = up->isEnabled();
    offset = up->frameGeometry().center() - owner.frameGeometry().center();
    up->reject();
  });
  CAboutDlg about(&owner);
  EXPECT_EQ(about.DoModal(), IDCANCEL);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(dialogEnabled);
  EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
  EXPECT_TRUE(owner.isEnabled());
}

TEST(DialogRunTest, TheProfileOpensWithTheFocusOnOk) {
  CDlgAboutAuthor dialog;
  QWidget* focused = nullptr;
  WhenModalShows([&](QDialog* up) {
    focused = up->focusWidget();
    up->accept();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(focused, dialog.GetDlgItem(IDOK));
}

// ---- The author profile
// --------------------------------------------------------------------------

TEST(AuthorProfileTest, TwoHundredSixtyOneLinesEachEndedByCrLf) {
  CDlgAboutAuthor dialog;
  const QString& text = dialog.profileText;
  EXPECT_EQ(text.count(QStringLiteral("\r\n")), 261);
  EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
  EXPECT_EQ(text.count(QLatin1Char('\n')), 261) << "no bare line feeds";
  EXPECT_EQ(text.count(QLatin1Char('\r')), 261) << "no bare carriage returns";
}

TEST(AuthorProfileTest, DecodedAsUtf8WhateverTheLocale) {
  CDlgAboutAuthor dialog;
  EXPECT_TRUE(dialog.profileText.contains(QString::fromUtf8("著者経歴 / About the Author")));
  EXPECT_FALSE(dialog.profileText.contains(QChar::ReplacementCharacter));
}

TEST(AuthorProfileTest, ShownLineByLineAndSavedBackUnchanged) {
  CDlgAboutAuthor dialog;
  const QString original = dialog.profileText;
  int blocks = 0;
  WhenModalShows([&](QDialog*) {
    auto* box = qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(IDC_AUTHOR_PROFILE));
    blocks = box->blockCount();
    QTest::keyClick(box, Qt::Key_Return);  // the box is read-only: Enter goes to OK
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(blocks, 262);  // 261 lines and the empty one after the last line break
  EXPECT_EQ(dialog.profileText, original);
}

}  // namespace
}  // namespace vennaloop

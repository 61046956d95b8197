// The main window driven with real key and mouse events.
#include "ui/tform1.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QXmlStreamReader>
#include <algorithm>
#include <atomic>
#include <map>
#include <memory>

#include "control/examples.h"
#include "control/kinds.h"
#include "control/settings.h"
#include "engine/language.h"
#include "engine/parser.h"
#include "io/programfile.h"
#include "support/field_text.h"
#include "support/small_disk.h"
#include "support/window_parts.h"
#include "ui/diagrampane.h"
#include "ui/dialogs.h"
#include "ui/icons.h"
#include "ui/plainlabel.h"
#include "ui/testpane.h"
#include "ui/tfhilfe.h"
#include "ui/tfinfo.h"

// Readable failure messages for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace automaten {
namespace {

using testing::SetTextOf;
using testing::TextOf;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm1>(&script);
    ui = std::make_unique<testing::WindowParts>(*form);
    help = std::make_unique<TFHilfe>();
    info = std::make_unique<TFInfo>();
    form->SetSecondaryWindows(help.get(), info.get());
    script.message = [this](const std::string& m) { messages.push_back(m); };
    script.question = [this](const std::string& q) {
      questions.push_back(q);
      return Answer::Nein;
    };
    script.error = [](const QString& e) { ADD_FAILURE() << e.toStdString(); };
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  void TearDown() override {
    if (ui) ui->Timer1->stop();  // none when the test was skipped before the window was made
    ui.reset();
    form.reset();
  }

  QToolButton* Button(const char* name) { return form->findChild<QToolButton*>(QString::fromLatin1(name)); }
  void Click(const char* name) {
    QToolButton* b = Button(name);
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void Key(Qt::Key key) { QTest::keyClick(form.get(), key); }
  QString Text(QLabel* l) { return l->text(); }
  QColor Colour(QLabel* l) { return l->palette().color(QPalette::WindowText); }
  QString Panel(int i) { return ui->StatusPanels[static_cast<std::size_t>(i)]->text(); }
  // Waits until the automatic run has stopped.
  bool WaitForStop(int ms = 5000) {
    return QTest::qWaitFor([this] { return !ui->Timer1->isActive(); }, ms);
  }
  // The tape cell (0-based) under the marker's '^', read off the pixels of
  // the marker row; -1 when no marker is drawn.
  int CellUnderMarker() {
    const QImage image = ui->EBand->grab().toImage();
    const QRect row = ui->EBand->MarkerRect();
    int left = image.width(), right = -1;
    for (int y = row.top(); y <= row.bottom(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 128) left = std::min(left, x), right = std::max(right, x);
    if (right < 0) return -1;
    const int centre = (left + right) / 2;
    const std::size_t first = ui->EBand->FirstVisibleCell();
    for (std::size_t i = first; i < first + ui->EBand->VisibleCells(); ++i)
      if (ui->EBand->CellRect(i).left() <= centre && centre <= ui->EBand->CellRect(i).right())
        return static_cast<int>(i);
    return -2;
  }
  int Head() const { return static_cast<int>(form->Sim().State().configuration.head) - 1; }

  testing::ScriptedDialogs script;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<testing::WindowParts> ui;
  std::unique_ptr<TFHilfe> help;
  std::unique_ptr<TFInfo> info;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
};

TEST_F(WindowTest, StartsLikeAFirstRun) {
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Simulation endlicher Automat mit Ausgabe"));
  EXPECT_EQ(form->width(), 640);
  EXPECT_EQ(form->height(), 300);
  EXPECT_EQ(form->TapeWidth(), 60);
  EXPECT_EQ(ui->TrackBar1->value(), 1);
  EXPECT_EQ(ui->Timer1->interval(), 5000);
  EXPECT_EQ(Text(ui->LFrequenz2), QStringLiteral("0,2 Hz"));
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("sskkss"));
  EXPECT_TRUE(ui->EAusgabe->isVisible());
  EXPECT_EQ(Text(ui->LZustand), QStringLiteral("Zustand : unbestimmt"));
  EXPECT_EQ(Panel(0), QStringLiteral(" DEA"));
  EXPECT_TRUE(Button("TB_DEA")->isChecked());
  EXPECT_EQ(ui->MProgramm->document()->findBlockByNumber(11).text(), QStringLiteral("a s -> w a"));
  EXPECT_FALSE(help->isVisible());
  EXPECT_FALSE(info->isVisible());
}

// The start draws no icon and fills no help text: both come when first
// shown, and look as if they had been made at once.
TEST_F(WindowTest, IconsAndHelpComeWhenFirstShown) {
  for (int index : {kImgNew, kImgLastTape}) {
    const QIcon icon = MachineIcon(index);
    for (int size : {16, 24, 48})
      EXPECT_EQ(icon.pixmap(size).toImage(), MachinePixmap(index, size).toImage()) << index << " " << size;
    EXPECT_EQ(icon.pixmap(20).size(), QSize(20, 20));  // the next larger drawing, scaled down
    EXPECT_EQ(icon.pixmap(24, QIcon::Disabled).toImage().pixelColor(12, 12).saturation(), 0);  // greyed
  }
  TFHilfe fresh;
  auto* memo = fresh.findChild<QPlainTextEdit*>();
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->document()->isEmpty());
  fresh.show();
  EXPECT_EQ(memo->toPlainText(), TFHilfe::HelpText());
}

TEST_F(WindowTest, ConstructionCaptionBeforeTheFirstLayout) {
  TForm1 hidden;
  EXPECT_EQ(hidden.windowTitle(), QStringLiteral("Simulation"));
  EXPECT_EQ(hidden.minimumSize(), QSize(640, 230));
}

TEST_F(WindowTest, LayoutFollowsEveryResize) {
  form->resize(671, 477);
  QTest::qWait(20);
  EXPECT_EQ(ui->EBand->width(), 651);
  EXPECT_EQ(form->TapeWidth(), 64);
  EXPECT_EQ(ui->MProgramm->height(), 477 - 216);
  EXPECT_EQ(ui->MProgramm->width(), 651);
  EXPECT_EQ(ui->EAusgabe->width(), 651);
  form->resize(100, 100);  // held at the minimum size
  QTest::qWait(20);
  EXPECT_EQ(ui->EBand->width(), 620);
  EXPECT_EQ(form->TapeWidth(), 60);
  EXPECT_EQ(ui->MProgramm->height(), 14);
}

TEST_F(WindowTest, ResizePadsAShortTuringTapeAndBlanksTheMarker) {
  Click("TB_TM");
  Key(Qt::Key_F8);
  Key(Qt::Key_F7);
  EXPECT_EQ(CellUnderMarker(), Head());
  SetTextOf(ui->EBand, QStringLiteral("1111111111"));
  form->resize(700, 400);
  QTest::qWait(20);
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("1111111111") + QString(form->TapeWidth() - 11, QLatin1Char('*')));
  EXPECT_EQ(CellUnderMarker(), -1);
  Click("TB_DEA");
  SetTextOf(ui->EBand, QStringLiteral("ab"));
  form->resize(650, 400);
  QTest::qWait(20);
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("ab"));
}

TEST_F(WindowTest, KindButtonsSelectTheMachine) {
  Click("TB_KA");
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Simulation Kellerautomat"));
  EXPECT_EQ(TextOf(ui->EAusgabe), QStringLiteral("#"));
  EXPECT_TRUE(ui->EAusgabe->isVisible());
  Click("TB_TM");
  EXPECT_FALSE(ui->EAusgabe->isVisible());
  EXPECT_EQ(TextOf(ui->EBand), QString(26, QLatin1Char('*')) + "111#11" + QString(29, QLatin1Char('*')));
  for (const char* name : {"TB_DEA", "TB_AKz", "TB_NEA", "TB_KA"}) EXPECT_FALSE(Button(name)->isChecked()) << name;
  EXPECT_TRUE(Button("TB_TM")->isChecked());
  EXPECT_EQ(Panel(0), QStringLiteral(" TM"));
  Click("TB_TM");  // pressing the pressed button keeps it down
  EXPECT_TRUE(Button("TB_TM")->isChecked());
  ui->MIKinds[2]->trigger();  // the menu "&Automatenbeispiele"
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Simulation nichtdeterministischer endlicher Automat"));
  EXPECT_TRUE(Button("TB_NEA")->isChecked());
}

TEST_F(WindowTest, FunctionKeysRunTheTuringExample) {
  Click("TB_TM");
  Key(Qt::Key_F8);
  EXPECT_EQ(Text(ui->LZustand), QStringLiteral("Zustand : Anfangszustand"));
  EXPECT_EQ(Panel(2), QStringLiteral(" In den Anfangszustand gesetzt."));
  EXPECT_EQ(CellUnderMarker(), 26);
  Key(Qt::Key_F7);
  EXPECT_EQ(Text(ui->LSchritte), QStringLiteral("Schritte: 1"));
  EXPECT_EQ(CellUnderMarker(), 27);
  ui->TrackBar1->setValue(100);
  EXPECT_EQ(ui->Timer1->interval(), 2);
  EXPECT_EQ(Text(ui->LFrequenz2), QStringLiteral("500 Hz"));
  Key(Qt::Key_F9);
  EXPECT_TRUE(ui->Timer1->isActive());
  EXPECT_EQ(Panel(2), QStringLiteral(" Gestartet"));
  ASSERT_TRUE(WaitForStop());
  EXPECT_EQ(Text(ui->LMeldung), QStringLiteral("Der Funktionswert ist: 5"));
  EXPECT_EQ(Colour(ui->LMeldung), QColor(0, 128, 0));
  EXPECT_EQ(Text(ui->LSchritte), QStringLiteral("Schritte: 14"));
  EXPECT_EQ(Text(ui->LZustand), QStringLiteral("Zustand : Endzustand"));
  EXPECT_EQ(CellUnderMarker(), Head());
}

TEST_F(WindowTest, ToolButtonsStartStopAndStep) {
  Click("TBAnfangszustand");
  EXPECT_EQ(Text(ui->LSchritte), QStringLiteral("Schritte: 0"));
  Click("TBStep");
  EXPECT_EQ(Text(ui->LSchritte), QStringLiteral("Schritte: 1"));
  EXPECT_EQ(TextOf(ui->EAusgabe), QStringLiteral("w     "));
  Click("ToolButton5");
  EXPECT_TRUE(ui->Timer1->isActive());
  Click("ToolButton5");
  EXPECT_FALSE(ui->Timer1->isActive());
  EXPECT_EQ(Panel(2), QStringLiteral(" Angehalten"));
  Click("ToolButton5");
  ui->MIAnhalten->trigger();
  EXPECT_FALSE(ui->Timer1->isActive());
}

TEST_F(WindowTest, TypingIntoTapeAndProgram) {
  Click("TB_AKz");
  SetTextOf(ui->EBand, QString());
  QTest::keyClicks(ui->EBand, QStringLiteral("0110"));
  Key(Qt::Key_F8);
  EXPECT_EQ(form->Sim().State().lastTape, "0110");
  ui->TrackBar1->setValue(100);
  Key(Qt::Key_F9);
  ASSERT_TRUE(WaitForStop());
  EXPECT_EQ(Text(ui->LMeldung), QStringLiteral("Das Wort wurde akzeptiert."));

  ui->MProgramm->moveCursor(QTextCursor::End);
  QTest::keyClicks(ui->MProgramm, QStringLiteral("1 x ->"));
  EXPECT_EQ(Panel(1), QStringLiteral(" geändert "));
  EXPECT_TRUE(form->Session().Changed());
  // The fault moves the focus into the program, where the release of F8
  // would mark it changed once more: this reset comes from the menu.
  ui->MIAnfangszustand->trigger();
  EXPECT_EQ(Panel(1), QStringLiteral(" geändert "));  // a failed reset posts no message
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Fehler: falsches Befehlsformat in Befehl 5");
  // The faulty line, as it stands, is selected.
  EXPECT_EQ(ui->MProgramm->textCursor().selectedText(), QStringLiteral("1 x ->"));
  EXPECT_TRUE(ui->MProgramm->hasFocus());
}

TEST_F(WindowTest, TabMovesThroughTheVisibleFields) {
  EXPECT_TRUE(ui->EBand->hasFocus());  // the window opens with the cursor in the tape
  QTest::keyClick(ui->EBand, Qt::Key_Tab);
  EXPECT_TRUE(ui->EAusgabe->hasFocus());
  QTest::keyClick(ui->EAusgabe, Qt::Key_Tab);
  EXPECT_TRUE(ui->MProgramm->hasFocus());
  const QString program = ui->MProgramm->toPlainText();
  QTest::keyClick(ui->MProgramm, Qt::Key_Tab);
  EXPECT_FALSE(ui->MProgramm->hasFocus());
  EXPECT_EQ(ui->MProgramm->toPlainText(), program);  // no tab typed into the program
  Click("TB_AKz");                                   // the second field is hidden: Tab passes it by
  EXPECT_TRUE(questions.empty());                    // keys that change no text leave the program unchanged
  ui->EBand->setFocus();
  QTest::keyClick(ui->EBand, Qt::Key_Tab);
  EXPECT_TRUE(ui->MProgramm->hasFocus());
}

TEST_F(WindowTest, FaultStateTurnsTheStateLabelRed) {
  Click("TB_KA");
  SetTextOf(ui->EBand, QStringLiteral(")("));
  Key(Qt::Key_F8);
  Key(Qt::Key_F7);
  EXPECT_EQ(Text(ui->LZustand), QStringLiteral("Zustand : Fehlzustand"));
  EXPECT_EQ(Colour(ui->LZustand), QColor(255, 0, 0));
  EXPECT_EQ(Colour(ui->LBefehl), QColor(255, 0, 0));
  Key(Qt::Key_F8);
  EXPECT_EQ(Colour(ui->LZustand), QApplication::palette().color(QPalette::WindowText));
}

TEST_F(WindowTest, MarkerFollowsAScrolledTape) {
  Click("TB_TM");
  ui->MProgramm->setPlainText(QStringLiteral("a * -> * R a"));
  SetTextOf(ui->EBand, QString(200, QLatin1Char('*')));
  Key(Qt::Key_F8);
  for (int i = 0; i < 60; ++i) {
    Key(Qt::Key_F7);
    QApplication::processEvents();  // the window paints between two key strokes
    ASSERT_EQ(CellUnderMarker(), Head()) << "step " << i;
  }
  const int head = static_cast<int>(form->Sim().State().configuration.head);
  EXPECT_EQ(head, 27 + 60);
  EXPECT_GT(ui->EBand->FirstVisibleCell(), 0u);  // the field has scrolled
  // Back to the left: the head cell comes into view from the other side.
  ui->MProgramm->setPlainText(QStringLiteral("a * -> * L a"));
  Key(Qt::Key_F8);
  for (int i = 0; i < 40; ++i) {
    Key(Qt::Key_F7);
    QApplication::processEvents();
  }
  EXPECT_EQ(CellUnderMarker(), Head());
}

// The head cell is drawn in the highlight colour also when another field
// has the focus, and no step takes the focus from where the user put it.
TEST_F(WindowTest, HeadCellShownWithoutFocusAndStepsLeaveTheFocus) {
  Key(Qt::Key_F8);
  QTest::mouseClick(ui->MProgramm->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
  ASSERT_TRUE(ui->MProgramm->hasFocus());
  for (int i = 0; i < 3; ++i) Key(Qt::Key_F7);
  ui->TrackBar1->setValue(100);
  Key(Qt::Key_F9);
  ASSERT_TRUE(WaitForStop());
  EXPECT_TRUE(ui->MProgramm->hasFocus());
  EXPECT_FALSE(ui->EBand->hasFocus());
  // The DEA has read the whole tape: the marker stands after its last cell.
  EXPECT_EQ(CellUnderMarker(), 6);
  Key(Qt::Key_F8);
  QTest::mouseClick(ui->MProgramm->viewport(), Qt::LeftButton, {}, QPoint(40, 10));
  Key(Qt::Key_F7);
  QApplication::processEvents();
  const QImage image = ui->EBand->grab().toImage();
  // A point of each cell beside its letter.
  const QColor highlight = ui->EBand->palette().color(QPalette::Highlight);
  EXPECT_EQ(image.pixelColor(ui->EBand->CellRect(1).topLeft() + QPoint(1, 4)), highlight);
  EXPECT_NE(image.pixelColor(ui->EBand->CellRect(2).topLeft() + QPoint(1, 4)), highlight);
}

// Typed and pasted cells count at the next step, as the user left them.
TEST_F(WindowTest, TypingAndPastingIntoTheTape) {
  Key(Qt::Key_F8);  // the DEA example on "sskkss"
  Key(Qt::Key_F7);
  QTest::mouseClick(ui->EBand, Qt::LeftButton, {}, ui->EBand->CellRect(6).topLeft() + QPoint(1, 5));
  ASSERT_TRUE(ui->EBand->hasFocus());
  QTest::keyClicks(ui->EBand, QStringLiteral("k"));
  QTest::keyClick(ui->EBand, Qt::Key_Home);
  QTest::keyClick(ui->EBand, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(ui->EBand, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(ui->EBand, Qt::Key_X, Qt::ControlModifier);  // cut "ss"
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ss"));
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("kkssk"));
  QTest::keyClick(ui->EBand, Qt::Key_End);
  QApplication::clipboard()->setText(QStringLiteral("k\u00e4"));
  QTest::keyClick(ui->EBand, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("kkssk") + QStringLiteral("k\u00e4"));
  QTest::keyClick(ui->EBand, Qt::Key_Backspace);
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("kksskk"));
  Key(Qt::Key_F7);  // the head stands on cell 2 of the new tape: k
  EXPECT_EQ(Text(ui->LZustand), QStringLiteral("Zustand : 1"));
  EXPECT_EQ(TextOf(ui->EAusgabe), QStringLiteral("ww    "));
}

TEST_F(WindowTest, ATapeOfAHundredThousandCells) {
  Click("TB_TM");
  ui->MProgramm->setPlainText(QStringLiteral("a 1 -> 1 R a"));
  SetTextOf(ui->EBand, QString(100000, QLatin1Char('1')));
  Key(Qt::Key_F8);
  Key(Qt::Key_F9);
  form->Sim().RunTicks(99998);
  Key(Qt::Key_F7);  // onto the last cell: the tape grows
  QApplication::processEvents();
  EXPECT_EQ(Head(), 99999);
  EXPECT_EQ(CellUnderMarker(), Head());
  EXPECT_GT(ui->EBand->FirstVisibleCell(), 99900u);
  EXPECT_EQ(ui->EBand->Text().size(), 100000u + 20u);  // grown at its right end
  EXPECT_EQ(Text(ui->LSchritte), QStringLiteral("Schritte: 99999"));
}

// Changed exactly when the text changes: keys that change nothing do not
// count, a paste by mouse does, and undoing it brings the saved text back.
TEST_F(WindowTest, TheProgramIsChangedExactlyWhenItsTextChanges) {
  ui->MProgramm->setFocus();
  QTest::keyClick(ui->MProgramm, Qt::Key_Down);
  QTest::keyClick(ui->MProgramm, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(ui->MProgramm, Qt::Key_F8);
  EXPECT_FALSE(form->Session().Changed());
  EXPECT_EQ(Panel(1), QString());
  QApplication::clipboard()->setText(QStringLiteral("; eingefügt"));
  ui->MProgramm->paste();  // what the context menu's "Einfügen" does
  EXPECT_TRUE(form->Session().Changed());
  EXPECT_EQ(Panel(1), QStringLiteral(" geändert "));
  ui->MProgramm->undo();
  EXPECT_FALSE(form->Session().Changed());
  EXPECT_EQ(Panel(1), QString());
  form->close();
  EXPECT_TRUE(questions.empty());
}

TEST_F(WindowTest, ClosingTheWindowClosesHelpAndInfo) {
  Key(Qt::Key_F1);
  ui->Info1->trigger();
  ASSERT_TRUE(help->isVisible());
  ASSERT_TRUE(info->isVisible());
  form->close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(help->isVisible());
  EXPECT_FALSE(info->isVisible());
}

// A step on a machine that has read its long tape leaves the view and the
// marker where they are.
TEST_F(WindowTest, AStepOnAHaltedMachineKeepsTheHeadInView) {
  Click("TB_AKz");
  ui->MProgramm->setPlainText(QStringLiteral("e: a\na 1 -> a"));
  SetTextOf(ui->EBand, QString(200, QLatin1Char('1')));
  Key(Qt::Key_F8);
  ui->TrackBar1->setValue(100);
  Key(Qt::Key_F9);
  ASSERT_TRUE(WaitForStop());
  QApplication::processEvents();
  const std::size_t first = ui->EBand->FirstVisibleCell();
  EXPECT_EQ(CellUnderMarker(), 200);  // after the last cell
  Key(Qt::Key_F7);
  QApplication::processEvents();
  EXPECT_EQ(ui->EBand->FirstVisibleCell(), first);
  EXPECT_EQ(CellUnderMarker(), 200);
}

TEST_F(WindowTest, ZoomForTheProjector) {
  QTest::keyClick(form.get(), Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(form->Zoom(), 110);
  QTest::keyClick(form.get(), Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(form->Zoom(), 125);
  for (int i = 0; i < 20; ++i) ui->Groesser->trigger();
  EXPECT_EQ(form->Zoom(), 400);
  for (int i = 0; i < 20; ++i) QTest::keyClick(form.get(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(form->Zoom(), 70);
  QTest::keyClick(form.get(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(form->Zoom(), 100);
  EXPECT_EQ(ui->EBand->font().pixelSize(), 16);
  EXPECT_EQ(ui->EAusgabe->y(), 80);
  EXPECT_EQ(ui->MProgramm->y(), 152);

  // At 200 %: every font doubled, the rows move down, the marker stays under the head cell.
  // (A window too small for the labels' lines at that size shrinks their font instead of cutting them off.)
  form->resize(1000, 700);
  QWheelEvent wheel(QPointF(10, 10), ui->MProgramm->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  for (int i = 0; i < 5; ++i) QApplication::sendEvent(ui->MProgramm->viewport(), &wheel);  // 110 ... 200
  EXPECT_EQ(form->Zoom(), 200);
  EXPECT_EQ(ui->EBand->font().pixelSize(), 32);
  EXPECT_EQ(ui->EAusgabe->font().pixelSize(), 32);
  EXPECT_EQ(ui->LZustand->font().pixelSize(), 26);
  EXPECT_EQ(ui->MProgramm->font().pixelSize(), 26);
  EXPECT_GT(ui->LZustand->y(), ui->EAusgabe->y() + ui->EAusgabe->height() - 1);
  EXPECT_GT(ui->MProgramm->y(), ui->LBefehl->y() + ui->LBefehl->height() - 1);
  EXPECT_EQ(form->TapeWidth(), ui->EBand->width() / 18 - 8);
  Click("TB_TM");
  Key(Qt::Key_F8);
  for (int i = 0; i < 3; ++i) Key(Qt::Key_F7);
  QApplication::processEvents();
  EXPECT_EQ(CellUnderMarker(), Head());
  form->SetZoom(100);
  QApplication::processEvents();
  EXPECT_EQ(CellUnderMarker(), Head());
}

TEST_F(WindowTest, StepBackWithF6AndTheToolButton) {
  Click("TB_TM");
  Key(Qt::Key_F8);
  const QString start = Text(ui->LZustand) + Text(ui->LBefehl) + TextOf(ui->EBand);
  for (int i = 0; i < 3; ++i) Key(Qt::Key_F7);
  Key(Qt::Key_F6);
  Click("TBStepBack");
  Key(Qt::Key_F6);
  QApplication::processEvents();
  EXPECT_EQ(Text(ui->LZustand) + Text(ui->LBefehl) + TextOf(ui->EBand), start);
  EXPECT_EQ(Text(ui->LSchritte), QStringLiteral("Schritte: 0"));
  EXPECT_EQ(CellUnderMarker(), Head());
  EXPECT_EQ(Panel(2), QStringLiteral(" Schritt zurück"));
  Key(Qt::Key_F6);
  EXPECT_EQ(Panel(2), QStringLiteral(" Anfang des Laufs erreicht."));
  EXPECT_EQ(Button("TBStepBack")->toolTip(), QStringLiteral("Schritt zurück"));
  // Its place in "Betrieb", right after "Einzelschritt", and the tick that turns the detector off.
  const QList<QAction*> betrieb = form->findChild<QMenu*>(QStringLiteral("MIBetrieb"))->actions();
  EXPECT_EQ(betrieb.indexOf(ui->MISchrittZurueck), betrieb.indexOf(ui->MIEinzelschritt) + 1);
  EXPECT_TRUE(ui->MIEndlosschleifen->isChecked());
  ui->MIEndlosschleifen->trigger();
  EXPECT_FALSE(form->Sim().State().loopCheck);
}

TEST_F(WindowTest, ClearAndRestoreTheTape) {
  Key(Qt::Key_F8);
  ui->MIBandLoeschen->trigger();
  EXPECT_EQ(TextOf(ui->EBand), QString());
  EXPECT_EQ(Panel(2), QStringLiteral(" Band gelöscht."));
  Click("ToolButton7");
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("sskkss"));
  Click("TBBand");
  EXPECT_EQ(TextOf(ui->EBand), QString());
}

TEST_F(WindowTest, HelpAndInfoWindows) {
  Key(Qt::Key_F1);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->windowTitle(), QStringLiteral("Hilfe"));
  EXPECT_TRUE(help->Memo1->toPlainText().startsWith(QStringLiteral("Hinweise zur Bedienung\n")));
  Click("ToolButton14");  // once more: still the one window
  int helpWindows = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) helpWindows += qobject_cast<TFHilfe*>(w) && w->isVisible();
  EXPECT_EQ(helpWindows, 1);
  EXPECT_TRUE(help->isVisible());
  QTest::mouseClick(help->Button1, Qt::LeftButton);
  EXPECT_FALSE(help->isVisible());
  Key(Qt::Key_F1);
  help->close();  // the close box hides it too
  EXPECT_FALSE(help->isVisible());

  ui->Info1->trigger();
  EXPECT_TRUE(info->isVisible());
  const QStringList about = info->Memo1->toPlainText().split(QLatin1Char('\n'));
  EXPECT_EQ(about.size(), 13);
  EXPECT_TRUE(about.contains(QStringLiteral("Historie:")));
  QTest::mouseClick(info->Button1, Qt::LeftButton);
  EXPECT_FALSE(info->isVisible());
}

TEST_F(WindowTest, HelpStaysOpenWhileTheMachineRuns) {
  Key(Qt::Key_F1);
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  ui->TrackBar1->setValue(100);
  Key(Qt::Key_F9);
  ASSERT_TRUE(WaitForStop());
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(Text(ui->LMeldung), QStringLiteral("Das Wort wurde akzeptiert."));
}

// ---- The pane "Zustandsdiagramm" ----------------------------------------------

class DiagramWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    if (!CanLayOut()) GTEST_SKIP() << "built without Graphviz";
    WindowTest::SetUp();
  }
  DiagramPane& Pane() { return *ui->Diagramm; }
  // A button of the pane's tool row.
  QToolButton* PaneButton(const char* name) {
    auto* bar = Pane().findChild<QToolBar*>(QStringLiteral("DiagrammWerkzeuge"));
    auto* action = Pane().findChild<QAction*>(QString::fromLatin1(name));
    return bar != nullptr && action != nullptr ? qobject_cast<QToolButton*>(bar->widgetForAction(action)) : nullptr;
  }
  bool LaidOut() {
    return QTest::qWaitFor([this] { return !Pane().LayoutPending() && !Pane().Shown().nodes.empty(); }, 10000);
  }
  // The names of the marked states and the label lines of the marked transitions.
  std::vector<std::string> MarkedNodes() {
    std::vector<std::string> names;
    for (std::size_t n : Pane().Marked().nodes) names.push_back(Pane().Shown().nodes[n].name);
    return names;
  }
  std::vector<std::string> MarkedLines() {
    std::vector<std::string> lines;
    for (const auto& [edge, line] : Pane().Marked().lines) lines.push_back(Pane().Shown().edges[edge].lines[line]);
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  // The circles drawn filled: what the eye sees as marked.
  int FilledCircles() {
    int filled = 0;
    for (QGraphicsItem* item : Pane().Scene().items())
      if (auto* circle = dynamic_cast<QGraphicsEllipseItem*>(item);
          circle != nullptr && circle->parentItem() == nullptr && circle->brush().color() != QColor(Qt::white))
        ++filled;
    return filled;
  }
};

TEST_F(DiagramWindowTest, F4ShowsThePaneAndTheMarkFollowsSingleSteps) {
  EXPECT_TRUE(Pane().isHidden() || !Pane().isVisible());
  Key(Qt::Key_F4);
  EXPECT_TRUE(ui->MIDiagramm->isChecked());
  EXPECT_TRUE(Pane().isVisible());
  ASSERT_TRUE(LaidOut());
  EXPECT_EQ(Pane().Shown().nodes.size(), 3u);  // A, 1, 2 of the dog
  Key(Qt::Key_F8);
  EXPECT_EQ(MarkedNodes(), std::vector<std::string>{"A"});
  EXPECT_EQ(MarkedLines(), std::vector<std::string>{"s / w"});
  EXPECT_EQ(FilledCircles(), 1);
  Key(Qt::Key_F7);
  Key(Qt::Key_F7);  // "sskkss": the next symbol is a k
  EXPECT_EQ(MarkedLines(), std::vector<std::string>{"k / w"});
  Key(Qt::Key_F7);
  EXPECT_EQ(MarkedNodes(), std::vector<std::string>{"1"});
  for (int i = 0; i < 3; ++i) Key(Qt::Key_F7);
  // Halted at the end of the tape: the state in the verdict's colour, no next transition.
  EXPECT_EQ(Pane().Marked().verdict, DiagramMark::Verdict::Accepted);
  EXPECT_TRUE(Pane().Marked().lines.empty());
  Key(Qt::Key_F4);
  EXPECT_FALSE(ui->MIDiagramm->isChecked());
  EXPECT_FALSE(Pane().isVisible());
  const QList<QAction*> ansicht = form->findChild<QMenu*>(QStringLiteral("Ansicht"))->actions();
  EXPECT_TRUE(ansicht.contains(ui->MIDiagramm));
  EXPECT_TRUE(ansicht.contains(ui->DiagrammExportieren));
}

TEST_F(DiagramWindowTest, TheNeaMarksItsWholeSetAndTheTuringMachineItsState) {
  Click("TB_NEA");
  Key(Qt::Key_F4);
  ASSERT_TRUE(LaidOut());
  Key(Qt::Key_F8);  // on "00101110"
  EXPECT_EQ(MarkedNodes(), std::vector<std::string>{"A"});
  EXPECT_EQ(MarkedLines(), (std::vector<std::string>{"0", "0"}));  // a 0 -> a, a 0 -> 1
  Key(Qt::Key_F7);
  EXPECT_EQ(MarkedNodes(), (std::vector<std::string>{"A", "1"}));
  EXPECT_EQ(MarkedLines(), (std::vector<std::string>{"0", "0", "0"}));  // and 1 0 -> 2
  EXPECT_EQ(FilledCircles(), 2);

  Click("TB_TM");
  Key(Qt::Key_F8);
  ASSERT_TRUE(LaidOut());
  Key(Qt::Key_F7);
  const QString state = Text(ui->LZustand).mid(QStringLiteral("Zustand : ").size());
  ASSERT_EQ(MarkedNodes().size(), 1u);
  EXPECT_EQ(QString::fromStdString(MarkedNodes()[0]), state == QStringLiteral("Anfangszustand") ? "A" : state);
  ASSERT_EQ(MarkedLines().size(), 1u);
  EXPECT_TRUE(Text(ui->LBefehl).contains(QString::fromStdString(MarkedLines()[0]).left(1)));
  EXPECT_EQ(FilledCircles(), 1);
}

// The marks the web page is checked against too: each kind's example, a key at a time.
TEST_F(DiagramWindowTest, EachKindsMarksAreTheRecordedOnesTheWebPageShowsToo) {
  QFile file(QStringLiteral(AUTOMATEN_TEST_DATA "/diagram/marks.json"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonArray runs = QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("runs")).toArray();
  ASSERT_EQ(runs.size(), kKindCount);
  const auto strings = [](const QJsonValue& list) {
    std::vector<std::string> out;
    for (const QJsonValue& v : list.toArray()) out.push_back(v.toString().toStdString());
    return out;
  };
  const char* verdicts[] = {"none", "accepted", "rejected"};
  Key(Qt::Key_F4);
  for (const QJsonValue& runValue : runs) {
    const QJsonObject run = runValue.toObject();
    const auto kind = static_cast<MachineKind>(run.value(QStringLiteral("kind")).toInt());
    Click(run.value(QStringLiteral("button")).toString().toLatin1().constData());
    bool first = true;
    for (const QJsonValue& stepValue : run.value(QStringLiteral("steps")).toArray()) {
      const QJsonObject step = stepValue.toObject();
      Key(step.value(QStringLiteral("key")).toString() == QStringLiteral("F8") ? Qt::Key_F8 : Qt::Key_F7);
      if (first) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return LaidOut() && Pane().Shown().kind == kind; }, 10000));
      }
      first = false;
      SCOPED_TRACE(InfoOf(kind).name + std::string(" after ") +
                   step.value(QStringLiteral("key")).toString().toStdString());
      EXPECT_EQ(MarkedNodes(), strings(step.value(QStringLiteral("nodes"))));
      EXPECT_EQ(MarkedLines(), strings(step.value(QStringLiteral("lines"))));
      EXPECT_EQ(verdicts[static_cast<int>(Pane().Marked().verdict)], step.value(QStringLiteral("verdict")).toString());
    }
  }
}

// States placed in the program's line "; Lage:" keep those places, one to another.
TEST_F(DiagramWindowTest, PlacedStatesAreDrawnWhereTheProgramPutsThem) {
  Click("TB_AKz");
  ui->MProgramm->setPlainText(QStringLiteral("a 1 -> 1\n1 0 -> a\n1 1 -> 2\n; Lage: A 40,60 1 40,200 2 260,200\n"));
  Key(Qt::Key_F4);
  ASSERT_TRUE(QTest::qWaitFor([this] { return LaidOut() && Pane().Shown().nodes.size() == 3; }, 10000));
  std::map<std::string, QPointF> centre;
  for (QGraphicsItem* item : Pane().Scene().items())
    if (auto* circle = dynamic_cast<QGraphicsEllipseItem*>(item); circle != nullptr && circle->parentItem() == nullptr)
      for (QGraphicsItem* child : circle->childItems())
        if (auto* name = dynamic_cast<QGraphicsSimpleTextItem*>(child))
          centre[name->text().toStdString()] = circle->sceneBoundingRect().center();
  ASSERT_EQ(centre.size(), 3u);
  EXPECT_NEAR(centre["1"].x() - centre["A"].x(), 0, 1.5);
  EXPECT_NEAR(centre["1"].y() - centre["A"].y(), 140, 1.5);  // downwards, as the line has it
  EXPECT_NEAR(centre["2"].x() - centre["1"].x(), 220, 1.5);
  EXPECT_NEAR(centre["2"].y() - centre["1"].y(), 0, 1.5);
}

// ---- Editing in the diagram ----

class DiagramEditTest : public DiagramWindowTest {
 protected:
  QWidget* Viewport() { return Pane().View().viewport(); }
  long long Node(const std::string& name) {
    for (std::size_t i = 0; i < Pane().Shown().nodes.size(); ++i)
      if (Pane().Shown().nodes[i].name == name) return static_cast<long long>(i);
    return -1;
  }
  QPoint At(const std::string& name) {
    const long long n = Node(name);
    if (n < 0) return {};
    return Pane().View().mapFromScene(Pane().NodeItem(static_cast<std::size_t>(n))->sceneBoundingRect().center());
  }
  bool Drawn(std::size_t nodes) {
    return QTest::qWaitFor(
        [&] {
          return !Pane().LayoutPending() && Pane().Shown().nodes.size() == nodes && Pane().NodeItem(0) != nullptr;
        },
        10000);
  }
  QLineEdit* Field() {
    auto* field = Pane().findChild<QLineEdit*>(QStringLiteral("Beschriftung"));
    return field != nullptr && field->isVisible() ? field : nullptr;
  }
  void Type(const QString& label) {
    ASSERT_NE(Field(), nullptr);
    QTest::keyClicks(Field(), label);
    QTest::keyClick(Field(), Qt::Key_Return);
  }
  void Connect(const std::string& from, const std::string& to) {
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::ShiftModifier, At(from));
    QTest::mouseMove(Viewport(), At(to));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::ShiftModifier, At(to));
  }
  // The program's lines but its places, which depend on the layout.
  QStringList Lines() {
    QStringList lines = ui->MProgramm->toPlainText().split(QLatin1Char('\n'));
    lines.removeIf([](const QString& l) { return l.startsWith(QStringLiteral("; Lage:")); });
    return lines;
  }
  // The acceptor's verdicts on the words with an even and an odd number of 1s.
  void AcceptsEvenOnes() {
    const Program p = ParseProgram(MachineKind::Akz, MachineLines(ui->MProgramm->toPlainText().toStdString()));
    ASSERT_TRUE(p.Ok());
    Dfa dfa;
    std::string error;
    ASSERT_TRUE(MakeDfa(p, dfa, error)) << error;
    const auto accepts = [&dfa](const std::string& word) {
      int s = 0;
      for (char c : word) {
        const std::size_t symbol = dfa.alphabet.find(c);
        if (symbol == std::string::npos || (s = dfa.next[static_cast<std::size_t>(s)][symbol]) < 0) return false;
      }
      return static_cast<bool>(dfa.accepting[static_cast<std::size_t>(s)]);
    };
    for (const char* word : {"", "0", "11", "0110", "1001"}) EXPECT_TRUE(accepts(word)) << word;
    for (const char* word : {"1", "01", "111", "1011"}) EXPECT_FALSE(accepts(word)) << word;
  }
  void Start() {
    Click("TB_AKz");
    ui->MProgramm->setPlainText(QString());
    Key(Qt::Key_F4);
    ASSERT_TRUE(Drawn(1));
    QTest::keySequence(form.get(), QKeySequence(Qt::CTRL | Qt::Key_B));
    ASSERT_TRUE(form->findChild<QAction*>(QStringLiteral("DiagrammBearbeiten"))->isChecked());
  }
};

TEST_F(DiagramEditTest, TheEvenOnesAcceptorByTheMouseAloneAndEachStepUndone) {
  Start();
  const QPoint a = At("A");
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, a + QPoint(120, 0));
  ASSERT_TRUE(Drawn(2));
  EXPECT_EQ(Pane().Hint(), QStringLiteral("Zustand 1 hinzugefügt."));
  EXPECT_TRUE(ui->MProgramm->toPlainText().startsWith(QStringLiteral("; Lage: A ")));
  Connect("A", "1");
  Type(QStringLiteral("1"));
  ASSERT_TRUE(Drawn(2));
  Connect("1", "A");
  Type(QStringLiteral("1"));
  ASSERT_TRUE(Drawn(2));
  Connect("A", "A");  // to itself
  Type(QStringLiteral("0"));
  ASSERT_TRUE(Drawn(2));
  Connect("1", "1");
  Type(QStringLiteral("x y"));  // not the form: the fault in place, the editor stays
  EXPECT_EQ(Pane().findChild<QLineEdit*>(QStringLiteral("Beschriftung"))->isVisible(), true);
  EXPECT_EQ(Pane().Hint(), QStringLiteral("Die Beschriftung hat nicht die Form „0“."));
  Field()->clear();
  Type(QStringLiteral("0"));
  ASSERT_TRUE(Drawn(2));
  // The context menu marks A an end state.
  QTimer::singleShot(0, form.get(), [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    menu->actions().front()->trigger();
    menu->close();
  });
  QContextMenuEvent menu(QContextMenuEvent::Mouse, At("A"), Viewport()->mapToGlobal(At("A")));
  QApplication::sendEvent(Viewport(), &menu);
  ASSERT_TRUE(QTest::qWaitFor([this] { return Lines().front() == QStringLiteral("e: A"); }, 3000));
  EXPECT_EQ(Lines(), (QStringList{"e: A", "A 1 -> 1", "A 0 -> A", "1 1 -> A", "1 0 -> 1", ""}));
  AcceptsEvenOnes();
  ASSERT_TRUE(Drawn(2));
  EXPECT_TRUE(Pane().Shown().nodes[0].end);
  // Each gesture is one step of the editor's undo.
  ui->MProgramm->undo();
  EXPECT_EQ(Lines(), (QStringList{"A 1 -> 1", "A 0 -> A", "1 1 -> A", "1 0 -> 1", ""}));
  ui->MProgramm->undo();
  EXPECT_EQ(Lines(), (QStringList{"A 1 -> 1", "A 0 -> A", "1 1 -> A", ""}));

  // Dragged, a state keeps its new place; its lines stay as they are.
  ui->MProgramm->redo();
  ui->MProgramm->redo();
  ASSERT_TRUE(Drawn(2));
  QTest::mousePress(Viewport(), Qt::LeftButton, {}, At("1"));
  QTest::mouseMove(Viewport(), At("1") + QPoint(0, 80));
  QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, At("1") + QPoint(0, 80));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return !Pane().LayoutPending() && Pane().NodeItem(1) != nullptr &&
               std::abs(Pane().NodeItem(1)->sceneBoundingRect().center().y() -
                        Pane().NodeItem(0)->sceneBoundingRect().center().y()) > 40;
      },
      10000));
  EXPECT_EQ(Lines(), (QStringList{"e: A", "A 1 -> 1", "A 0 -> A", "1 1 -> A", "1 0 -> 1", ""}));
  // A double-click on a label line edits it; Delete removes the chosen line, then a state with its lines.
  const QPointF line = Pane().LineItem(0, 0)->sceneBoundingRect().center();
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, Pane().View().mapFromScene(line));
  ASSERT_NE(Field(), nullptr);
  EXPECT_EQ(Field()->text(), QStringLiteral("1"));
  QTest::keyClick(Field(), Qt::Key_Escape);
  EXPECT_EQ(Field(), nullptr);
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, Pane().View().mapFromScene(line));
  QTest::keyClick(&Pane().View(), Qt::Key_Delete);
  ASSERT_TRUE(Drawn(2));
  EXPECT_EQ(Lines(), (QStringList{"e: A", "A 0 -> A", "1 1 -> A", "1 0 -> 1", ""}));
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At("1"));
  QTest::keyClick(&Pane().View(), Qt::Key_Delete);
  ASSERT_TRUE(Drawn(1));
  EXPECT_EQ(Lines(), (QStringList{"e: A", "A 0 -> A", ""}));
  EXPECT_EQ(Pane().Hint(), QStringLiteral("Zustand 1 gelöscht."));
}

TEST_F(DiagramEditTest, TheEvenOnesAcceptorByTheKeyboardAlone) {
  Start();
  QWidget* view = &Pane().View();
  EXPECT_TRUE(view->hasFocus());
  QTest::keyClick(view, Qt::Key_N);
  ASSERT_TRUE(Drawn(2));
  const auto connect = [&](Qt::Key toFrom, Qt::Key toTarget, const QString& label) {
    if (toFrom != Qt::Key_unknown) QTest::keyClick(view, toFrom);
    QTest::keyClick(view, Qt::Key_C);
    if (toTarget != Qt::Key_unknown) QTest::keyClick(view, toTarget);
    QTest::keyClick(view, Qt::Key_Return);
    Type(label);
    ASSERT_TRUE(Drawn(2));
  };
  // 1 is chosen, the state just added; Left and Right choose among A and 1;
  // after a connection its target stays chosen.
  connect(Qt::Key_Left, Qt::Key_Right, QStringLiteral("1"));       // A -> 1
  connect(Qt::Key_unknown, Qt::Key_Left, QStringLiteral("1"));     // 1 -> A
  connect(Qt::Key_unknown, Qt::Key_unknown, QStringLiteral("0"));  // A -> A
  connect(Qt::Key_Right, Qt::Key_unknown, QStringLiteral("0"));    // 1 -> 1
  EXPECT_EQ(Pane().Hint(), QStringLiteral("Übergang von 1 nach 1 mit 0 hinzugefügt."));
  QTest::keyClick(view, Qt::Key_Left);
  EXPECT_EQ(Pane().Hint(), QStringLiteral("Zustand A gewählt."));
  QTest::keyClick(view, Qt::Key_E);
  ASSERT_TRUE(Drawn(2));
  EXPECT_EQ(Pane().Hint(), QStringLiteral("Zustand A ist ein Endzustand."));
  EXPECT_EQ(Lines(), (QStringList{"e: A", "A 1 -> 1", "A 0 -> A", "1 1 -> A", "1 0 -> 1", ""}));
  AcceptsEvenOnes();
  // Ctrl and an arrow move the chosen state: only its place changes.
  const QString placed = ui->MProgramm->toPlainText().section(QLatin1Char('\n'), -2, -2);
  QTest::keyClick(view, Qt::Key_Down, Qt::ControlModifier);
  ASSERT_TRUE(Drawn(2));
  EXPECT_NE(ui->MProgramm->toPlainText().section(QLatin1Char('\n'), -2, -2), placed);
  EXPECT_EQ(Lines(), (QStringList{"e: A", "A 1 -> 1", "A 0 -> A", "1 1 -> A", "1 0 -> 1", ""}));
  // Down chooses a label line, F2 edits it.
  QTest::keyClick(view, Qt::Key_Down);
  QTest::keyClick(view, Qt::Key_F2);
  ASSERT_NE(Field(), nullptr);
  QTest::keyClick(Field(), Qt::Key_Escape);
}

TEST_F(DiagramWindowTest, AFaultWhileTypingGreysTheLastDiagram) {
  Click("TB_AKz");
  Key(Qt::Key_F4);
  ASSERT_TRUE(LaidOut());
  const std::size_t nodes = Pane().Shown().nodes.size();
  ui->MProgramm->moveCursor(QTextCursor::End);
  QTest::keyClick(ui->MProgramm, Qt::Key_Return);
  QTest::keyClicks(ui->MProgramm, QStringLiteral("1 x ->"));
  EXPECT_FALSE(Pane().Greyed());  // not before the typing pauses
  ASSERT_TRUE(QTest::qWaitFor([this] { return Pane().Greyed(); }, 3000));
  EXPECT_TRUE(messages.empty());  // a silent parse shows no box
  EXPECT_TRUE(Pane().Note().startsWith(QStringLiteral("Fehler: falsches Befehlsformat in Befehl")));
  EXPECT_TRUE(Pane().Note().contains(QStringLiteral(": 1 x ->")));
  EXPECT_EQ(Pane().Shown().nodes.size(), nodes);
  // Corrected into a new state, the diagram is drawn anew.
  for (int i = 0; i < 2; ++i) QTest::keyClick(ui->MProgramm, Qt::Key_Backspace);
  QTest::keyClicks(ui->MProgramm, QStringLiteral("-> 7"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Pane().Greyed() && Pane().Shown().nodes.size() == nodes + 1; }, 10000));
  EXPECT_TRUE(Pane().Note().isEmpty());
}

// Graphviz slow: the states on a circle after the budget, with the run's
// marks, then Graphviz's picture; texts superseded meanwhile are never laid out.
std::atomic<int> slowLayouts{0};
DiagramLayout SlowLayout(const Diagram& d, const std::string& dot) {
  ++slowLayouts;
  QThread::msleep(1200);
  return LayOut(d, dot);
}

TEST_F(DiagramWindowTest, ASlowLayoutShowsACircleAndSupersededTextsAreSkipped) {
  DiagramPane::SetLayoutFunction(SlowLayout);
  struct Restore {
    ~Restore() { DiagramPane::SetLayoutFunction(nullptr); }
  } restore;
  Pane().SetLayoutBudget(50);
  slowLayouts = 0;
  Key(Qt::Key_F4);
  ASSERT_TRUE(QTest::qWaitFor([this] { return Pane().ShowsFallback(); }, 2000));
  EXPECT_TRUE(Pane().LayoutPending());
  EXPECT_EQ(Pane().Shown().nodes.size(), 3u);
  EXPECT_TRUE(Pane().Note().startsWith(QStringLiteral("Graphviz braucht lange")));
  Key(Qt::Key_F8);
  EXPECT_EQ(MarkedNodes(), std::vector<std::string>{"A"});  // the circle is marked as the picture would be
  ASSERT_TRUE(LaidOut());
  EXPECT_FALSE(Pane().ShowsFallback());
  EXPECT_EQ(slowLayouts.load(), 1);
  // Five edits while a layout runs: the first and the last text are laid out, the three between never.
  ui->MProgramm->moveCursor(QTextCursor::End);
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(ui->MProgramm, Qt::Key_Return);
    QTest::keyClicks(ui->MProgramm, QStringLiteral("%1 s -> w a").arg(5 + i));
    QTest::qWait(350);  // past the silent parse's pause
  }
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Pane().LayoutPending(); }, 10000));
  EXPECT_LT(slowLayouts.load(), 1 + 5);             // texts superseded while a layout ran were skipped
  EXPECT_GE(slowLayouts.load(), 1 + 2);             // the first edit's and the last one's
  EXPECT_EQ(Pane().Shown().nodes.size(), 3u + 5u);  // the last text's states
}

// A full disk: the export names the system's reason, and the old picture stays.
TEST_F(DiagramWindowTest, AnExportOnAFullDiskSaysWhy) {
  QTemporaryDir scratch;
  const testing::SmallDisk disk(scratch.filePath(QStringLiteral("disk")));
  if (!disk.Ready()) GTEST_SKIP() << "no tmpfs can be mounted here (it needs root)";
  const QString target = scratch.filePath(QStringLiteral("disk/diagramm.png"));
  {
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("alt");
  }
  ASSERT_TRUE(disk.Fill());
  Key(Qt::Key_F4);
  ASSERT_TRUE(LaidOut());
  script.file = [&target](Dialogs::File) { return target; };
  QString said;
  script.error = [&said](const QString& e) { said = e; };
  ui->DiagrammExportieren->trigger();
  EXPECT_TRUE(said.startsWith(target + QStringLiteral(" kann nicht geschrieben werden: "))) << said.toStdString();
  EXPECT_FALSE(said.contains(QStringLiteral("Unbekannt"), Qt::CaseInsensitive)) << said.toStdString();
  EXPECT_FALSE(said.contains(QStringLiteral("Unknown"), Qt::CaseInsensitive)) << said.toStdString();
  QFile old(target);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), QByteArray("alt"));
}

TEST_F(DiagramWindowTest, ExportWritesSvgAndPng) {
  Key(Qt::Key_F4);
  ASSERT_TRUE(LaidOut());
  QString target;
  script.file = [&target](Dialogs::File kind) {
    EXPECT_EQ(kind, Dialogs::File::ExportDiagram);
    return target;
  };
  const QString dir = QDir::tempPath();
  target = dir + QStringLiteral("/diagramm.svg");
  ui->DiagrammExportieren->trigger();
  QFile svg(target);
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&svg);
  int texts = 0;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("text")) ++texts;
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GE(texts, 3);
  // Without the run's colours unless "Export mit Markierung" is checked; the pane keeps them.
  Key(Qt::Key_F8);
  ASSERT_FALSE(Pane().Marked().nodes.empty());
  const auto exported = [&] {
    ui->DiagrammExportieren->trigger();
    QFile file(target);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  const QByteArray current = QColor(255, 226, 122).name().toLatin1();  // the current state's fill
  EXPECT_FALSE(exported().contains(current));
  EXPECT_FALSE(Pane().Marked().nodes.empty());
  form->findChild<QAction*>(QStringLiteral("ExportMitMarkierung"))->setChecked(true);
  EXPECT_TRUE(exported().contains(current));
  target = dir + QStringLiteral("/diagramm.png");
  ui->DiagrammExportieren->trigger();
  const QImage png(target);
  EXPECT_FALSE(png.isNull());
  EXPECT_GT(png.width(), 100);
  // An unwritable place is said, not passed over.
  QStringList errors;
  script.error = [&errors](const QString& e) { errors << e; };
  target = dir + QStringLiteral("/no/such/folder/d.svg");
  ui->DiagrammExportieren->trigger();
  EXPECT_EQ(errors.size(), 1);
}

TEST_F(DiagramWindowTest, ATooLargeProgramIsNotLaidOut) {
  Click("TB_TM");
  std::string program;
  for (int i = 1; i <= 301; ++i) program += std::to_string(i) + " 1 -> 1 R " + std::to_string(i + 1) + "\n";
  form->SetProgramText(program);
  Key(Qt::Key_F4);
  EXPECT_FALSE(Pane().LayoutPending());
  EXPECT_TRUE(Pane().Note().contains(QStringLiteral("303 Zustände"))) << Pane().Note().toStdString();
  EXPECT_TRUE(Pane().Shown().nodes.empty());
  EXPECT_TRUE(Pane().Scene().items().isEmpty());
}

// ---- The pane "Tests" ----------------------------------------------------------

TEST_F(WindowTest, CtrlTRunsTheCasesAndLeavesTheMachineAlone) {
  Click("TB_AKz");
  Key(Qt::Key_F8);
  Key(Qt::Key_F7);
  ui->MProgramm->moveCursor(QTextCursor::Start);
  QTest::keyClicks(ui->MProgramm, QStringLiteral("; Test: 0110 -> akzeptiert"));
  QTest::keyClick(ui->MProgramm, Qt::Key_Return);
  QTest::keyClicks(ui->MProgramm, QStringLiteral("; Test: 10 -> akzeptiert"));
  QTest::keyClick(ui->MProgramm, Qt::Key_Return);
  QTest::keyClicks(ui->MProgramm, QStringLiteral("; Test: 1 -> wer weiß"));
  QTest::keyClick(ui->MProgramm, Qt::Key_Return);
  const QString tape = TextOf(ui->EBand), program = ui->MProgramm->toPlainText();
  const QString state = Text(ui->LZustand), steps = Text(ui->LSchritte);
  QTest::keyClick(ui->MProgramm, Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(ui->Tests->isVisible());
  EXPECT_TRUE(ui->MITests->isChecked());
  ASSERT_TRUE(QTest::qWaitFor([this] { return !ui->Tests->Running(); }, 10000));
  EXPECT_EQ(ui->Tests->Summary(), QStringLiteral("1 bestanden, 2 fehlgeschlagen"));
  QTreeWidget* list = ui->Tests->List();
  ASSERT_EQ(list->topLevelItemCount(), 3);
  EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("3"));  // the malformed line first, with its number
  EXPECT_TRUE(list->topLevelItem(0)->text(3).startsWith(QStringLiteral("unbekannte Erwartung")));
  EXPECT_EQ(list->topLevelItem(1)->text(4), QStringLiteral("✓"));
  EXPECT_EQ(list->topLevelItem(2)->text(3), QStringLiteral("nicht akzeptiert"));
  EXPECT_EQ(list->topLevelItem(2)->text(4), QStringLiteral("✗"));
  // Nothing the user sees of the machine changed.
  EXPECT_EQ(TextOf(ui->EBand), tape);
  EXPECT_EQ(ui->MProgramm->toPlainText(), program);
  EXPECT_EQ(Text(ui->LZustand), state);
  EXPECT_EQ(Text(ui->LSchritte), steps);
  EXPECT_TRUE(messages.empty());

  // A double-click on the failing case puts its word on the tape and resets.
  QTreeWidgetItem* failing = list->topLevelItem(2);
  const QRect cell = list->visualItemRect(failing);
  ASSERT_FALSE(cell.isEmpty());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(8, cell.center().y()));  // the press first
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(8, cell.center().y()));
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("10"));
  EXPECT_EQ(Text(ui->LSchritte), QStringLiteral("Schritte: 0"));
  EXPECT_EQ(Text(ui->LZustand), QStringLiteral("Zustand : Anfangszustand"));

  // Run again while a run goes: the first is given up, the second reports.
  ui->MIAlleTests->trigger();
  ui->MIAlleTests->trigger();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !ui->Tests->Running(); }, 10000));
  EXPECT_EQ(ui->Tests->Summary(), QStringLiteral("1 bestanden, 2 fehlgeschlagen"));

  Key(Qt::Key_F3);
  EXPECT_FALSE(ui->Tests->isVisible());
  EXPECT_FALSE(ui->MITests->isChecked());
  const QList<QAction*> betrieb = form->findChild<QMenu*>(QStringLiteral("MIBetrieb"))->actions();
  EXPECT_TRUE(betrieb.contains(ui->MIAlleTests));
}

// Results of another text are never shown as the current ones: a change of
// the text or of the kind greys them at once, and the cases run again after
// a pause in typing.
TEST_F(WindowTest, ResultsOfAnotherTextAreMarkedStaleAndRunAgain) {
  Click("TB_AKz");
  ui->MProgramm->moveCursor(QTextCursor::Start);
  QTest::keyClicks(ui->MProgramm, QStringLiteral("; Test: 1 -> akzeptiert"));
  QTest::keyClick(ui->MProgramm, Qt::Key_Return);
  QTest::keyClicks(ui->MProgramm, QStringLiteral("; Test: 1 -> nicht akzeptiert"));
  QTest::keyClick(ui->MProgramm, Qt::Key_Return);
  ui->MIAlleTests->trigger();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !ui->Tests->Running(); }, 10000));
  const QString summary = ui->Tests->Summary();
  EXPECT_EQ(summary, QStringLiteral("1 bestanden, 1 fehlgeschlagen"));

  QTest::keyClick(ui->MProgramm, Qt::Key_Space);
  EXPECT_TRUE(ui->Tests->Stale());
  EXPECT_TRUE(ui->Tests->Summary().startsWith(QStringLiteral("veraltet"))) << ui->Tests->Summary().toStdString();
  QTreeWidget* list = ui->Tests->List();
  EXPECT_EQ(list->topLevelItem(0)->foreground(4).color(),
            list->palette().color(QPalette::Disabled, QPalette::Text));  // the ✓ greyed too
  ASSERT_TRUE(QTest::qWaitFor([this] { return !ui->Tests->Stale() && !ui->Tests->Running(); }, 10000));
  EXPECT_EQ(ui->Tests->Summary(), summary);

  // A new kind brings its example, which has no cases.
  Click("TB_TM");
  EXPECT_TRUE(ui->Tests->Summary().startsWith(QStringLiteral("veraltet")));
  ASSERT_TRUE(QTest::qWaitFor([this] { return !ui->Tests->Stale() && !ui->Tests->Running(); }, 10000));
  EXPECT_TRUE(ui->Tests->Summary().startsWith(QStringLiteral("Keine Testfälle"))) << ui->Tests->Summary().toStdString();
}

// A pushdown automaton without end states accepts by empty stack, which no
// double circle shows: the pane says so under the diagram.
TEST_F(DiagramWindowTest, APushdownAutomatonWithoutEndStatesHasItsNote) {
  Click("TB_KA");
  form->SetProgramText("a ( # -> push ( a\na ) ( -> pop a\n");
  Key(Qt::Key_F4);
  ASSERT_TRUE(LaidOut());
  EXPECT_EQ(Pane().Note(), QStringLiteral("akzeptiert bei leerem Keller"));
  EXPECT_FALSE(Pane().Greyed());
}

// After a change of kind, F4 draws the text under the new kind, not the
// program the machine ran before.
// The diagram's own zoom multiplies the window's: at first it fills the pane,
// but its text never gets smaller than the zoom has it; "+", "−", Ctrl and
// the wheel, and "Einpassen" for the whole diagram.
TEST_F(DiagramWindowTest, TheDiagramZoomsWithTheWindowAndOnItsOwn) {
  Key(Qt::Key_F4);
  ASSERT_TRUE(LaidOut());
  QGraphicsView& view = Pane().View();
  const auto wholeInView = [&view, this] {
    return QRectF(view.viewport()->rect()).contains(view.mapFromScene(Pane().Scene().sceneRect()).boundingRect());
  };
  EXPECT_GE(Pane().Scale(), 1.0);  // node names at least 12 px
  form->SetZoom(200);
  EXPECT_GE(Pane().Scale(), 2.0);
  const double filled = Pane().Scale();
  QToolButton* larger = PaneButton("DiagrammGroesser");
  EXPECT_EQ(larger->text(), QStringLiteral("+"));
  QTest::mouseClick(larger, Qt::LeftButton);
  EXPECT_NEAR(Pane().Scale(), filled * 1.25, 1e-9);
  QWheelEvent down(QPointF(20, 20), view.viewport()->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view.viewport(), &down);
  QApplication::sendEvent(view.viewport(), &down);
  EXPECT_NEAR(Pane().Scale(), filled / 1.25, 1e-9);
  view.setFocus();
  QTest::keyClick(&view, Qt::Key_Plus);
  EXPECT_NEAR(Pane().Scale(), filled, 1e-9);
  // The size chosen follows the window's zoom.
  form->SetZoom(100);
  EXPECT_NEAR(Pane().Scale(), filled / 2, 1e-9);
  form->SetZoom(400);
  QTest::mouseClick(PaneButton("DiagrammEinpassen"), Qt::LeftButton);
  EXPECT_TRUE(wholeInView());
  EXPECT_LT(Pane().Scale(), 4.0);  // the dog is wider than the pane at 400 %
  form->SetZoom(100);
}

// F11 puts the diagram on the whole screen (opening the pane first); Escape
// brings it back into the pane, and the run's marks go on meanwhile.
TEST_F(DiagramWindowTest, TheDiagramOnTheFullScreen) {
  const QList<QAction*> ansicht = form->findChild<QMenu*>(QStringLiteral("Ansicht"))->actions();
  ASSERT_NE(ui->DiagrammVollbild, nullptr);
  EXPECT_TRUE(ansicht.contains(ui->DiagrammVollbild));
  EXPECT_EQ(ui->DiagrammVollbild->text(), QStringLiteral("Diagramm im Vollbild"));
  Key(Qt::Key_F11);
  EXPECT_TRUE(ui->MIDiagramm->isChecked());
  QWidget* full = Pane().window();
  ASSERT_NE(full, form.get());
  EXPECT_TRUE(full->isFullScreen());
  EXPECT_TRUE(ui->DiagrammVollbild->isChecked());
  ASSERT_TRUE(LaidOut());
  QTest::keyClick(full, Qt::Key_F8);  // the run's keys work on the full screen
  EXPECT_EQ(Text(ui->LSchritte), QStringLiteral("Schritte: 0"));
  EXPECT_EQ(MarkedNodes(), std::vector<std::string>{"A"});
  QTest::keyClick(full, Qt::Key_Escape);
  EXPECT_EQ(Pane().window(), form.get());
  EXPECT_FALSE(full->isVisible());
  EXPECT_FALSE(ui->DiagrammVollbild->isChecked());
  EXPECT_FALSE(ui->MIDiagramm->isChecked());  // closed before, closed again
  Key(Qt::Key_F4);
  EXPECT_TRUE(Pane().isVisible());
  // F11 in the full screen leaves it too.
  Key(Qt::Key_F11);
  ASSERT_EQ(Pane().window(), full);
  QTest::keyClick(full, Qt::Key_F11);
  EXPECT_EQ(Pane().window(), form.get());
  EXPECT_TRUE(Pane().isVisible());  // open before, open still
}

// Diagram and tests side by side: a failing case and the diagram in view
// together, and the head marker drawn again after a pane opens or closes.
TEST_F(DiagramWindowTest, BothPanesAtOnceAndTheMarkerStays) {
  form->setGeometry(0, 0, 640, 477);  // where the screen has room for the panes
  Click("TB_TM");
  Key(Qt::Key_F8);
  for (int i = 0; i < 3; ++i) Key(Qt::Key_F7);
  QApplication::processEvents();
  ASSERT_EQ(CellUnderMarker(), Head());
  const auto marked = [this] {
    QTest::qWait(50);  // the layout of the docks
    return CellUnderMarker() == Head();
  };
  Key(Qt::Key_F4);
  EXPECT_TRUE(marked());
  Key(Qt::Key_F3);
  EXPECT_TRUE(marked());
  QDockWidget* diagram = form->findChild<QDockWidget*>(QStringLiteral("DiagrammDock"));
  QDockWidget* tests = form->findChild<QDockWidget*>(QStringLiteral("TestsDock"));
  EXPECT_TRUE(diagram->isVisible());
  EXPECT_TRUE(tests->isVisible());
  EXPECT_TRUE(form->tabifiedDockWidgets(diagram).isEmpty());
  EXPECT_LT(diagram->geometry().bottom(), tests->geometry().top());  // the diagram above the tests
  EXPECT_GT(diagram->x(), ui->EBand->mapTo(form.get(), QPoint(0, 0)).x() + ui->EBand->width());
  EXPECT_EQ(form->PanesShown().diagram.shown, true);
  EXPECT_EQ(form->PanesShown().tests.shown, true);
  Key(Qt::Key_F4);  // closing the diagram leaves the tests
  EXPECT_TRUE(marked());
  EXPECT_TRUE(tests->isVisible());
  EXPECT_FALSE(ui->Tests->visibleRegion().isEmpty());
  Key(Qt::Key_F3);
  EXPECT_TRUE(marked());
  // A resize of the window by the user still blanks the marker.
  QTest::qWait(1100);
  form->resize(form->width() + 30, form->height());
  QApplication::processEvents();
  EXPECT_EQ(CellUnderMarker(), -1);
}

// "Drucken..." offers the diagram drawn and the current test results beside
// the program; each part printed on pages of its own.
TEST_F(DiagramWindowTest, PrintingProgramDiagramAndTestResults) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("lesson.pdf"));
  PrintParts offered{false, false, false};
  PrintParts ticked{true, true, true};
  script.choosePrinter = [&](const PrintParts& offer, PrintParts& chosen) {
    offered = offer;
    chosen = ticked;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    return printer;
  };
  const auto pages = [&pdf] {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    return static_cast<int>(bytes.count("/Type /Page") - bytes.count("/Type /Pages"));
  };
  Click("TB_AKz");
  ui->MProgramm->moveCursor(QTextCursor::Start);
  QTest::keyClicks(ui->MProgramm, QStringLiteral("; Test: 0 -> akzeptiert"));
  QTest::keyClick(ui->MProgramm, Qt::Key_Return);
  QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(offered.program);
  EXPECT_FALSE(offered.diagram);  // the pane is closed
  EXPECT_FALSE(offered.tests);    // never run
  EXPECT_EQ(pages(), 1);          // only what was offered is printed
  Key(Qt::Key_F4);
  ASSERT_TRUE(LaidOut());
  ui->MIAlleTests->trigger();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !ui->Tests->Running(); }, 10000));
  QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(offered.program && offered.diagram && offered.tests);
  EXPECT_EQ(pages(), 3);
  ticked = {false, true, false};
  QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(pages(), 1);
  // Results of another text are not offered.
  QTest::keyClicks(ui->MProgramm, QStringLiteral("; x"));
  QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_FALSE(offered.tests);
}

TEST_F(DiagramWindowTest, F4AfterAChangeOfKindDrawsTheNewKindsText) {
  Click("TB_TM");
  Key(Qt::Key_F8);
  Click("TB_NEA");
  Key(Qt::Key_F4);
  ASSERT_TRUE(LaidOut());
  EXPECT_EQ(Pane().Shown().kind, MachineKind::NEA);
}

// Like a line edit, the tape field keeps the caret in view on every edit:
// a long tape selected whole and typed over shows the new word from its start.
TEST_F(WindowTest, TheCaretStaysInViewWhenAShorterWordReplacesALongTape) {
  Click("TB_AKz");
  ui->EBand->setFocus();
  SetTextOf(ui->EBand, QString(500, QLatin1Char('1')));
  QTest::keyClick(ui->EBand, Qt::Key_End);
  ASSERT_GT(ui->EBand->FirstVisibleCell(), 0u);
  QTest::keyClick(ui->EBand, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(ui->EBand, QStringLiteral("10"));
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("10"));
  EXPECT_EQ(ui->EBand->FirstVisibleCell(), 0u);
}

// The verdict, the loop sentence, the step count and the transition are never
// cut off: at every zoom step, on the smaller screens a classroom projects,
// with and without the panes, each label shows its whole text inside the
// window (wrapped where its column is too narrow).
TEST_F(WindowTest, StatusLabelsShowTheirWholeTextAtEveryZoomStep) {
  const std::vector<std::pair<Label, std::string>> texts = {
      {Label::LZustand, "Zustand : {A,1,2,3,4,5,6,7,8,9,E,F}"},
      {Label::LBefehl, ToMachine(QStringLiteral("Übergang: {A,1,2,3,4,5,6,7,8,9,E,F} 0 -> {A,1,2,3,4,5,6,7,8,9,E}"))},
      {Label::LSchritte, "Schritte: 123456789"},
      {Label::LMeldung,
       ToMachine(QStringLiteral("Endlosschleife: die Maschine läuft ab Schritt 123456 nach rechts ins leere Band."))},
  };
  for (const QSize screen : {QSize(1024, 768), QSize(1280, 800)}) {
    for (const bool panes : {false, true}) {
      form->showNormal();
      form->setGeometry(0, 0, screen.width(), screen.height() - 60);
      if (panes != ui->MITests->isChecked()) ui->MITests->trigger();
      if (panes != ui->MIDiagramm->isChecked() && ui->MIDiagramm->isEnabled()) ui->MIDiagramm->trigger();
      for (int zoom = 70;; zoom = ZoomIn(zoom)) {
        SCOPED_TRACE(std::to_string(screen.width()) + (panes ? " with the pane, " : ", ") + std::to_string(zoom) +
                     " %");
        form->SetZoom(zoom);
        for (const auto& [label, text] : texts) form->SetLabelText(label, text);
        QApplication::processEvents();
        // The window with its panes still fits the screen.
        EXPECT_LE(form->width(), screen.width());
        const QRect inside = form->centralWidget()->rect();
        for (QLabel* widget : {static_cast<QLabel*>(ui->LZustand), static_cast<QLabel*>(ui->LBefehl),
                               static_cast<QLabel*>(ui->LSchritte), static_cast<QLabel*>(ui->LMeldung)}) {
          auto* label = static_cast<PlainLabel*>(widget);
          EXPECT_TRUE(inside.contains(label->geometry())) << label->objectName().toStdString();
          // No pane covers it.
          const QRect onWindow(label->mapTo(form.get(), QPoint(0, 0)), label->size());
          for (QDockWidget* dock : form->findChildren<QDockWidget*>()) {
            if (dock->isVisible()) {
              EXPECT_FALSE(dock->geometry().intersects(onWindow))
                  << label->objectName().toStdString() << " under " << dock->objectName().toStdString();
            }
          }
          // Every line it needs fits its height, and the text fits its width line by line.
          const int lines = label->Lines(label->width());
          EXPECT_LE(lines * QFontMetrics(label->font()).height(), label->height()) << label->objectName().toStdString();
          // No other label covers it.
          for (QLabel* other : {static_cast<QLabel*>(ui->LZustand), static_cast<QLabel*>(ui->LBefehl),
                                static_cast<QLabel*>(ui->LSchritte), static_cast<QLabel*>(ui->LMeldung)})
            if (other != widget && label->text().size() * label->Advance() > 0) {
              const QRect used(
                  label->pos(),
                  QSize(std::min(label->width(), static_cast<int>(std::ceil(label->text().size() * label->Advance()))),
                        label->height()));
              EXPECT_FALSE(used.intersects(other->geometry()))
                  << label->objectName().toStdString() << " under " << other->objectName().toStdString();
            }
        }
        EXPECT_GE(ui->MProgramm->y(), ui->LMeldung->geometry().bottom());  // the program below the labels
        if (zoom == ZoomIn(zoom)) break;
      }
    }
  }
  // Short texts again: the labels stand side by side as designed.
  form->SetZoom(100);
  for (Label label : {Label::LZustand, Label::LBefehl, Label::LSchritte, Label::LMeldung})
    form->SetLabelText(label, "x");
  EXPECT_EQ(ui->LZustand->y(), ui->LSchritte->y());
  EXPECT_EQ(ui->LBefehl->y(), ui->LMeldung->y());
}

// On the projector everything grows with the zoom: menus, tool bar, status
// bar, the Tests pane, message boxes and the help, not only tape and program.
TEST_F(WindowTest, TheZoomReachesBarsPanesBoxesAndHelp) {
  const auto sizes = [this] {
    return std::vector<int>{ui->Tests->List()->font().pixelSize(),
                            ui->StatusPanels[2]->font().pixelSize(),
                            form->menuBar()->font().pixelSize(),
                            form->findChild<QMenu*>(QStringLiteral("Datei"))->font().pixelSize(),
                            help->Memo1->font().pixelSize(),
                            form->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->iconSize().height()};
  };
  const std::vector<int> normal = sizes();
  EXPECT_EQ(normal, (std::vector<int>{13, 13, 13, 13, 13, 16}));
  const int barHeight = form->statusBar()->height();
  form->SetZoom(200);
  EXPECT_EQ(sizes(), (std::vector<int>{26, 26, 26, 26, 26, 32}));
  EXPECT_GE(form->statusBar()->height(), 2 * barHeight);
  EXPECT_GE(Button("TBStep")->width(), 46);
  EXPECT_GE(help->width(),
            std::min(2 * 649, help->screen()->availableGeometry().width()));  // where the screen has room
  // A message box of the real dialogs takes the window's font.
  int boxPixels = 0;
  QTimer::singleShot(0, form.get(), [&boxPixels] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr) return;
    boxPixels = box->font().pixelSize();
    box->close();
  });
  QtDialogs().Message(form.get(), QStringLiteral("Hallo"));
  EXPECT_EQ(boxPixels, 26);
  // The speed controls never leave the window: beside the tool bar, or in a row below it.
  for (const int zoom : {100, 200, 400}) {
    form->SetZoom(zoom);
    form->resize(700, 600);
    QApplication::processEvents();
    const QRect inside = form->centralWidget()->rect();
    EXPECT_TRUE(inside.contains(ui->LFrequenz2->geometry().topLeft() + QPoint(0, ui->LFrequenz2->height() / 2)))
        << zoom;
    EXPECT_LT(ui->TrackBar1->geometry().right(), inside.width()) << zoom;
    EXPECT_GE(ui->EBand->y(), form->findChild<QWidget*>(QStringLiteral("PPanel"))->geometry().bottom()) << zoom;
  }
  form->SetZoom(100);
  EXPECT_EQ(sizes(), normal);
  EXPECT_EQ(ui->EBand->y(), 40);
  EXPECT_EQ(form->statusBar()->height(), barHeight);
}

// A student's 'ε' in the window is the NEA's epsilon; a 'β' is the fault of its line.
TEST_F(WindowTest, ForeignCharactersInTheProgram) {
  Click("TB_NEA");
  form->SetProgramText("a \u03B5 -> 1\n1 0 -> e\n");
  SetTextOf(ui->EBand, QStringLiteral("0"));
  Key(Qt::Key_F8);
  EXPECT_TRUE(messages.empty());
  Key(Qt::Key_F7);
  EXPECT_EQ(Text(ui->LMeldung), QStringLiteral("Das Wort wurde akzeptiert."));
  Click("TB_AKz");
  form->SetProgramText("a \u03B2 -> e\n");
  Key(Qt::Key_F8);
  EXPECT_EQ(messages,
            std::vector<std::string>{ToMachine(QStringLiteral("Fehler: ungültiges Alphabetzeichen in Befehl 1"))});
}

// What a screen reader reads: the tape as editable text with the head cell
// as the selection, the second field and the slider by their names.
TEST_F(WindowTest, AScreenReaderReadsAndEditsTheTape) {
  QAccessibleInterface* tape = QAccessible::queryAccessibleInterface(ui->EBand);
  ASSERT_NE(tape, nullptr);
  EXPECT_EQ(tape->role(), QAccessible::EditableText);
  EXPECT_EQ(tape->text(QAccessible::Name), QStringLiteral("Band"));
  QAccessibleTextInterface* text = tape->textInterface();
  ASSERT_NE(text, nullptr);
  Key(Qt::Key_F8);
  EXPECT_EQ(text->text(0, 6), QStringLiteral("sskkss"));
  EXPECT_EQ(text->characterCount(), static_cast<int>(ui->EBand->Size()));
  const auto selected = [text] {
    int from = -1, to = -1;
    text->selection(0, &from, &to);
    return std::make_pair(from, to);
  };
  EXPECT_EQ(text->selectionCount(), 1);
  EXPECT_EQ(selected(), std::make_pair(0, 1));
  Key(Qt::Key_F7);
  EXPECT_EQ(selected(), std::make_pair(1, 2));
  // An edit through the reader is the user's: the tape changes, the run starts afresh.
  ASSERT_NE(tape->editableTextInterface(), nullptr);
  tape->editableTextInterface()->replaceText(0, 1, QStringLiteral("k"));
  EXPECT_TRUE(TextOf(ui->EBand).startsWith(QStringLiteral("kskkss")));
  EXPECT_EQ(text->cursorPosition(), 1);

  EXPECT_EQ(QAccessible::queryAccessibleInterface(ui->EAusgabe)->text(QAccessible::Name), QStringLiteral("Ausgabe"));
  Click("TB_KA");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(ui->EAusgabe)->text(QAccessible::Name), QStringLiteral("Keller"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(ui->MProgramm)->text(QAccessible::Name), QStringLiteral("Programm"));
  QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(ui->TrackBar1);
  EXPECT_EQ(slider->text(QAccessible::Name), QStringLiteral("Frequenz"));
  EXPECT_EQ(slider->text(QAccessible::Description), Text(ui->LFrequenz2));
  EXPECT_TRUE(slider->text(QAccessible::Description).endsWith(QStringLiteral("Hz")));
}

// The desktop's standard keys beside the window's own, in the program area
// too, and an access key of its own for every menu.
TEST_F(WindowTest, StandardKeysAndAnAccessKeyForEveryMenu) {
  QSet<QChar> accessKeys;
  for (QAction* menu : form->menuBar()->actions()) {
    const QString title = menu->text();
    const qsizetype amp = title.indexOf(QLatin1Char('&'));
    ASSERT_GE(amp, 0) << title.toStdString();
    const QChar key = title.at(amp + 1).toLower();
    EXPECT_FALSE(accessKeys.contains(key)) << title.toStdString();
    accessKeys.insert(key);
  }
  QList<Dialogs::File> asked;
  script.file = [&asked](Dialogs::File kind) {
    asked << kind;
    return QString();  // cancelled
  };
  int printDialogs = 0;
  script.choosePrinter = [&printDialogs](const PrintParts&, PrintParts&) {
    ++printDialogs;
    return std::unique_ptr<QPrinter>();
  };
  ui->MProgramm->setFocus();
  QTest::keyClick(ui->MProgramm, Qt::Key_O, Qt::ControlModifier);
  QTest::keyClick(ui->MProgramm, Qt::Key_F, Qt::ControlModifier);
  QTest::keyClick(ui->MProgramm, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(asked, (QList<Dialogs::File>{Dialogs::File::Open, Dialogs::File::Open, Dialogs::File::Save}));
  QTest::keyClick(ui->MProgramm, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(printDialogs, 1);
  QTest::keyClick(ui->MProgramm, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form->isVisible());
}

// ---- The menu "Werkzeuge" ------------------------------------------------------

TEST_F(WindowTest, ToolsConvertTheNeaAndCompareWithAnotherProgram) {
  const QList<QAction*> menus = form->menuBar()->actions();
  QStringList titles;
  for (QAction* a : menus) titles << a->text();
  EXPECT_EQ(titles.indexOf(QStringLiteral("&Werkzeuge")), titles.indexOf(QStringLiteral("A&nsicht")) + 1);
  EXPECT_EQ(titles.indexOf(QStringLiteral("&Hilfe")), titles.indexOf(QStringLiteral("&Werkzeuge")) + 1);
  // Each item where its question is decidable.
  Click("TB_TM");
  EXPECT_FALSE(ui->InAkzeptorUmwandeln->isEnabled());
  EXPECT_FALSE(ui->AkzeptorMinimieren->isEnabled());
  EXPECT_FALSE(ui->VergleichenMit->isEnabled());
  Click("TB_DEA");
  EXPECT_TRUE(ui->VergleichenMit->isEnabled());
  EXPECT_FALSE(ui->AkzeptorMinimieren->isEnabled());
  Click("TB_NEA");
  EXPECT_TRUE(ui->InAkzeptorUmwandeln->isEnabled());
  // An NEA is minimised as the command line minimises it: made deterministic first.
  ASSERT_TRUE(ui->AkzeptorMinimieren->isEnabled());
  ui->AkzeptorMinimieren->trigger();
  EXPECT_EQ(form->Sim().State().kind, MachineKind::Akz);
  EXPECT_TRUE(ui->MProgramm->toPlainText().startsWith(QStringLiteral("; Minimaler Akzeptor\n")));
  Click("TB_NEA");

  // The NEA example becomes an unsaved acceptor; the tape stays.
  const QString tape = TextOf(ui->EBand);
  ui->InAkzeptorUmwandeln->trigger();
  EXPECT_EQ(form->Sim().State().kind, MachineKind::Akz);
  EXPECT_TRUE(ui->MProgramm->toPlainText().startsWith(QStringLiteral("; Akzeptor aus dem NEA\n; A = {A}\n")));
  EXPECT_EQ(TextOf(ui->EBand), tape);
  EXPECT_TRUE(form->Session().Changed());
  EXPECT_TRUE(ui->AkzeptorMinimieren->isEnabled());
  EXPECT_FALSE(ui->InAkzeptorUmwandeln->isEnabled());
  Key(Qt::Key_F8);
  ui->TrackBar1->setValue(100);
  Key(Qt::Key_F9);
  ASSERT_TRUE(WaitForStop());
  EXPECT_EQ(Text(ui->LMeldung), QStringLiteral("Das Wort wurde akzeptiert."));  // "00101110" holds 010

  // Compared with an acceptor of every word that holds 00: "000" comes first.
  const QString other = QDir::tempPath() + QStringLiteral("/zwei-nullen.txt");
  {
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("e: 2\na 0 -> 1\na 1 -> a\n1 0 -> 2\n1 1 -> a\n2 0 -> 2\n2 1 -> 2\n");
  }
  script.file = [&other](Dialogs::File) { return other; };
  QString answer;
  script.compare = [&answer](const QString& text, bool offersWord) {
    answer = text;
    return offersWord;
  };
  ui->VergleichenMit->trigger();
  EXPECT_EQ(answer, QStringLiteral("Unterschied: das Wort 00 wird vom anderen Programm akzeptiert, von diesem nicht."));
  EXPECT_EQ(TextOf(ui->EBand), QStringLiteral("00"));  // the button put it on the tape and reset
  EXPECT_EQ(Text(ui->LSchritte), QStringLiteral("Schritte: 0"));
  // The minimal form accepts the same language.
  const QString before = ui->MProgramm->toPlainText();
  ui->AkzeptorMinimieren->trigger();
  EXPECT_TRUE(ui->MProgramm->toPlainText().startsWith(QStringLiteral("; Minimaler Akzeptor\n")));
  {
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(before.toUtf8());
  }
  ui->VergleichenMit->trigger();
  EXPECT_EQ(answer, QStringLiteral("Die Programme akzeptieren dieselbe Sprache."));
  // The NEA itself, named by its kind line, against its minimal acceptor: the classic homework.
  {
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write((KindLine(MachineKind::NEA) + "\n" + ExampleText(MachineKind::NEA)).c_str());
  }
  answer.clear();
  ui->VergleichenMit->trigger();
  EXPECT_EQ(answer, QStringLiteral("Die Programme akzeptieren dieselbe Sprache."));
}

TEST_F(WindowTest, ToolsMakeAcceptorsOfExpressionsAndGrammarsAndDescribeTheProgram) {
  const auto action = [this](const char* name) { return form->findChild<QAction*>(QString::fromLatin1(name)); };
  Click("TB_DEA");
  EXPECT_TRUE(action("AusRegulaeremAusdruck")->isEnabled());
  EXPECT_FALSE(action("AlsRegulaererAusdruck")->isEnabled());
  EXPECT_FALSE(action("AlsGrammatik")->isEnabled());
  // A faulty expression is asked for again, kept, with its fault above the question.
  QStringList labels;
  QStringList given{QStringLiteral("(0|10*1"), QStringLiteral("(0|10*1)*")};
  script.ask = [&](const QString& label, const QString& text) -> std::optional<QString> {
    labels << label;
    EXPECT_EQ(text, labels.size() == 1 ? QString() : given[0]);
    return given[labels.size() - 1];
  };
  action("AusRegulaeremAusdruck")->trigger();
  ASSERT_EQ(labels.size(), 2);
  EXPECT_TRUE(
      labels[1].startsWith(QStringLiteral("Fehler im regulären Ausdruck, Spalte 8: „)“ fehlt zu „(“ in Spalte 1.")))
      << labels[1].toStdString();
  EXPECT_EQ(form->Sim().State().kind, MachineKind::Akz);
  EXPECT_EQ(
      ui->MProgramm->toPlainText(),
      QStringLiteral("; Minimaler Akzeptor zum Ausdruck (0|10*1)*\nE: A\nA 0 -> A\nA 1 -> 1\n1 0 -> 1\n1 1 -> A\n"));
  EXPECT_TRUE(form->Session().Changed());
  // The program described: an expression and a grammar, each in a box to copy from.
  QStringList shown;
  script.show = [&shown](const QString& title, const QString& text) { shown << title + QStringLiteral(": ") + text; };
  ASSERT_TRUE(action("AlsRegulaererAusdruck")->isEnabled());
  action("AlsRegulaererAusdruck")->trigger();
  action("AlsGrammatik")->trigger();
  EXPECT_EQ(shown, (QStringList{QStringLiteral("Als regulären Ausdruck: (0|10*1)*"),
                                QStringLiteral("Als Grammatik: S -> 0S | 1A | ε\nA -> 0A | 1S")}));
  // A grammar's acceptor replaces the changed program only after the prompt.
  int questions = 0;
  script.question = [&questions](const std::string&) {
    ++questions;
    return Answer::Nein;
  };
  script.ask = [](const QString& label, const QString&) -> std::optional<QString> {
    EXPECT_TRUE(label.startsWith(QStringLiteral("Rechtslineare Grammatik")));
    return QStringLiteral("S -> aS | bT\nT -> b");
  };
  action("AusGrammatik")->trigger();
  EXPECT_EQ(questions, 1);
  EXPECT_TRUE(ui->MProgramm->toPlainText().startsWith(QStringLiteral("; Minimaler Akzeptor zur Grammatik\n")));
  // A TM program is not described.
  Click("TB_TM");
  EXPECT_FALSE(action("AlsGrammatik")->isEnabled());
}

}  // namespace
}  // namespace automaten

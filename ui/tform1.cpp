#include "tform1.h"

#include <unistd.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>

#include "control/kinds.h"
#include "control/settings.h"
#include "diagramdock.h"
#include "fonts.h"
#include "icons.h"
#include "io/programfile.h"
#include "languagetools.h"
#include "machinetext.h"
#include "plainlabel.h"
#include "tapefield.h"
#include "testdock.h"
#include "textwindow.h"
#include "tfhilfe.h"
#include "tfinfo.h"

namespace automaten {

namespace {

QColor ColourOf(TextColour c) {
  switch (c) {
    case TextColour::Red: return QColor(255, 0, 0);
    case TextColour::Green: return QColor(0, 128, 0);
    case TextColour::WindowText: break;
  }
  return QApplication::palette().color(QPalette::WindowText);
}

// The user's decimal and group separators, where the code page has them.
NumberFormat LocaleNumberFormat() {
  const QLocale locale;
  auto single = [](const QString& s, char fallback) {
    const char c = s.isEmpty() ? 0 : s.at(0).toLatin1();
    return c != 0 ? c : fallback;
  };
  return {single(locale.decimalPoint(), '.'), single(locale.groupSeparator(), ' ')};
}

// Swallows the tool-tip of one tool button.
class NoToolTip : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::ToolTip; }
};

}  // namespace

TForm1::TForm1(Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent),
      ownDialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>()),
      dialogs_(dialogs != nullptr ? *dialogs : *ownDialogs_),
      sim_(*this),
      session_(sim_, *this, *this),
      iniPath_(ConfigurationPath()),
      userId_(::getuid()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Simulation"));
  setFont(WindowFont(13));
  setMinimumSize(640, 230);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setTimerType(Qt::PreciseTimer);
  connect(Timer1, &QTimer::timeout, this, [this] { sim_.Tick(); });

  CreateActions();
  CreateControls();
  // The panes share a column at the right, the diagram above the tests: the
  // column widens the window when its first pane opens.
  diagram_ = std::make_unique<DiagramDock>(*this, *MProgramm, sim_, *this, dialogs_, [this](int pixels) {
    if (!tests_->Shown()) GrowBy(pixels);
  });
  tests_ = std::make_unique<TestDock>(
      *this, *MProgramm, sim_, *this,
      [this](int pixels) {
        if (!diagram_->Shown()) GrowBy(pixels);
      },
      [this](const std::string& word) {
        SetFieldText(Field::EBand, word);
        sim_.Reset();
      });
  for (QDockWidget* dock : {diagram_->Dock(), tests_->Dock()})
    connect(dock, &QDockWidget::visibilityChanged, this, [this] { roomChanged_.start(); });
  tools_ = std::make_unique<LanguageTools>(*this, sim_, *this, *this, session_, dialogs_);
  CreateToolBar();
  CreateMenus();
  CreateStatusBar();
  numbers_ = LocaleNumberFormat();
  setGeometry(234, 177, 671, 477);
}

// The panes go first: their docks' signals then reach nothing of a window
// already half taken down.
TForm1::~TForm1() = default;

void TForm1::SetSecondaryWindows(TFHilfe* help, TFInfo* info) {
  help_ = help;
  info_ = info;
  ZoomTextWindows();
}

// ---- Construction -----------------------------------------------------------

void TForm1::CreateActions() {
  auto make = [this](const char* name, const QString& text, int image, const QKeySequence& key = {}) {
    auto* a = image >= 0 ? new QAction(MachineIcon(image), text, this) : new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
  };
  Neu = make("Neu", QStringLiteral("&Neu"), kImgNew, QKeySequence(Qt::CTRL | Qt::Key_N));
  Neu->setToolTip(QStringLiteral("Neue Datei"));
  Oeffnen = make("Oeffnen", QStringLiteral("Ö&ffnen"), kImgOpen, QKeySequence(Qt::CTRL | Qt::Key_F));
  Oeffnen->setToolTip(QStringLiteral("Datei öffnen"));
  Oeffnen->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::CTRL | Qt::Key_O)});
  MISpeichern = make("MISpeichern", QStringLiteral("&Speichern"), kImgSave, QKeySequence(Qt::CTRL | Qt::Key_S));
  MISpeichern->setToolTip(QStringLiteral("Datei speichern"));
  Speichernunter1 = make("Speichernunter1", QStringLiteral("Speichern unter..."), kImgSaveAs,
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  Drucken = make("Drucken", QStringLiteral("&Drucken"), kImgPrint, QKeySequence(Qt::CTRL | Qt::Key_D));
  Drucken->setToolTip(QStringLiteral("Datei drucken"));
  DruckenDialog = make("DruckenDialog", QStringLiteral("Drucken..."), -1, QKeySequence(Qt::CTRL | Qt::Key_P));
  MIEnde = make("MIEnde", QStringLiteral("&Ende"), kImgExit);
  MIEnde->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence(Qt::CTRL | Qt::Key_Q)});
  connect(Neu, &QAction::triggered, this, [this] { session_.New(); });
  connect(Oeffnen, &QAction::triggered, this, [this] { session_.Open(); });
  connect(MISpeichern, &QAction::triggered, this, [this] { session_.Save(); });
  connect(Speichernunter1, &QAction::triggered, this, [this] { session_.SaveAs(); });
  connect(Drucken, &QAction::triggered, this, &TForm1::Print);
  connect(DruckenDialog, &QAction::triggered, this, &TForm1::PrintWithDialog);
  connect(MIEnde, &QAction::triggered, this, &QWidget::close);

  MIBandLoeschen = make("MIBandLoeschen", QStringLiteral("Band löschen"), kImgClearTape);
  connect(MIBandLoeschen, &QAction::triggered, this, [this] { sim_.ClearTape(); });
  MIletzterBandinhalt = make("MIletzterBandinhalt", QStringLiteral("letzter Bandinhalt"), kImgLastTape);
  connect(MIletzterBandinhalt, &QAction::triggered, this, [this] { sim_.RestoreLastTape(); });
  MIAnfangszustand = make("MIAnfangszustand", QStringLiteral("Anfangszustand"), kImgReset, QKeySequence(Qt::Key_F8));
  connect(MIAnfangszustand, &QAction::triggered, this, [this] { sim_.Reset(); });
  MIStarten = make("MIStarten", QStringLiteral("Starten"), kImgStart, QKeySequence(Qt::Key_F9));
  connect(MIStarten, &QAction::triggered, this, [this] { sim_.StartOrStop(); });
  MIAnhalten = make("MIAnhalten", QStringLiteral("Anhalten"), kImgStop);
  connect(MIAnhalten, &QAction::triggered, this, [this] { sim_.Stop(); });
  MIEinzelschritt = make("MIEinzelschritt", QStringLiteral("Einzelschritt"), kImgStep, QKeySequence(Qt::Key_F7));
  connect(MIEinzelschritt, &QAction::triggered, this, [this] { sim_.SingleStep(); });
  MISchrittZurueck = make("MISchrittZurueck", QStringLiteral("Schritt zurück"), kImgStepBack, QKeySequence(Qt::Key_F6));
  MISchrittZurueck->setToolTip(QStringLiteral("Schritt zurück"));
  connect(MISchrittZurueck, &QAction::triggered, this, [this] { sim_.StepBack(); });
  MIEndlosschleifen = make("MIEndlosschleifen", QStringLiteral("Endlosschleifen erkennen"), -1);
  MIEndlosschleifen->setCheckable(true);
  MIEndlosschleifen->setChecked(true);
  connect(MIEndlosschleifen, &QAction::triggered, this, [this](bool on) { sim_.SetLoopCheck(on); });

  const char* menuNames[] = {"MI_det_Automat", "MI_Akzeptor", "MI_nichtdetAutomat", "MI_Kellerautomat",
                             "MI_Turingmaschine"};
  const char* buttonNames[] = {"TB_DEA", "TB_AKz", "TB_NEA", "TB_KA", "TB_TM"};
  for (int k = 0; k < kKindCount; ++k) {
    const MachineKind kind = kKinds[k];
    const KindInfo& info = InfoOf(kind);
    MIKinds[k] = make(menuNames[k], QString::fromUtf8(info.menuText), kImgDEA + k);
    connect(MIKinds[k], &QAction::triggered, this, [this, kind] { session_.SelectKind(kind); });
    TBKinds[k] = make(buttonNames[k], QString::fromUtf8(info.hint), kImgDEA + k);
    TBKinds[k]->setCheckable(true);
    connect(TBKinds[k], &QAction::triggered, this, [this, kind] { session_.SelectKind(kind); });
  }

  Groesser = make("Groesser", QStringLiteral("Größer"), -1);
  Groesser->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(Groesser, &QAction::triggered, this, [this] { SetZoom(ZoomIn(zoom_)); });
  Kleiner = make("Kleiner", QStringLiteral("Kleiner"), -1, QKeySequence(Qt::CTRL | Qt::Key_Minus));
  connect(Kleiner, &QAction::triggered, this, [this] { SetZoom(ZoomOut(zoom_)); });
  Normalgroesse = make("Normalgroesse", QStringLiteral("Normalgröße"), -1, QKeySequence(Qt::CTRL | Qt::Key_0));
  connect(Normalgroesse, &QAction::triggered, this, [this] { SetZoom(100); });

  Anleitung = make("Anleitung", QStringLiteral("Anleitung"), kImgHelp, QKeySequence(Qt::Key_F1));
  connect(Anleitung, &QAction::triggered, this, &TForm1::ShowHelp);
  Info1 = make("Info1", QStringLiteral("Info"), kImgInfo);
  connect(Info1, &QAction::triggered, this, &TForm1::ShowInfo);

  ToolButton5 = make("ToolButton5", QStringLiteral("Start"), kImgStart);
  connect(ToolButton5, &QAction::triggered, this, [this] { sim_.StartOrStop(); });
}

void TForm1::CreateMenus() {
  QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
  datei->setObjectName(QStringLiteral("Datei"));
  datei->addActions({Neu, Oeffnen, MISpeichern, Speichernunter1, Drucken, DruckenDialog, MIEnde});
  QMenu* betrieb = menuBar()->addMenu(QStringLiteral("&Betrieb"));
  betrieb->setObjectName(QStringLiteral("MIBetrieb"));
  betrieb->addActions({MIBandLoeschen, MIletzterBandinhalt, MIAnfangszustand, MIStarten, MIAnhalten, MIEinzelschritt,
                       MISchrittZurueck});
  betrieb->addSeparator();
  betrieb->addAction(MIEndlosschleifen);
  betrieb->addAction(tests_->RunAction());
  diagram_->KeysOnTheFullScreen(betrieb->actions());
  QMenu* maschine = menuBar()->addMenu(QStringLiteral("&Automatenbeispiele"));
  maschine->setObjectName(QStringLiteral("Maschine"));
  for (QAction* a : MIKinds) maschine->addAction(a);
  QMenu* ansicht = menuBar()->addMenu(QStringLiteral("A&nsicht"));
  ansicht->setObjectName(QStringLiteral("Ansicht"));
  ansicht->addActions({Groesser, Kleiner, Normalgroesse});
  ansicht->addSeparator();
  ansicht->addActions({diagram_->ShowAction(), diagram_->EditAction(), diagram_->FullScreenAction(),
                       diagram_->ExportAction(), diagram_->MarksAction(), tests_->ShowAction()});
  QMenu* werkzeuge = menuBar()->addMenu(QStringLiteral("&Werkzeuge"));
  werkzeuge->setObjectName(QStringLiteral("Werkzeuge"));
  werkzeuge->addActions(tools_->Actions());
  werkzeuge->addSeparator();
  werkzeuge->addActions(tools_->LanguageActions());
  QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
  hilfe->setObjectName(QStringLiteral("Hilfe"));
  hilfe->addActions({Anleitung, Info1});
}

void TForm1::CreateToolBar() {
  ToolBar1 = new QToolBar(PPanel);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setStyleSheet(
      QStringLiteral("QToolBar { border: 0; spacing: 0; padding: 0; }"
                     "QToolBar::separator { width: 8px; }"
                     "QToolButton { padding: 0; margin: 0; }"));
  ToolBar1->addActions({Neu, Oeffnen, MISpeichern, Drucken, Anleitung});
  ToolBar1->addSeparator();
  ToolBar1->addActions(
      {MIBandLoeschen, MIletzterBandinhalt, MIAnfangszustand, ToolButton5, MIEinzelschritt, MISchrittZurueck});
  ToolBar1->addSeparator();
  for (QAction* a : TBKinds) ToolBar1->addAction(a);
  // Tool buttons carry the names of the window's buttons.
  const std::pair<QAction*, const char*> names[] = {{Neu, "ToolButton1"},
                                                    {Oeffnen, "ToolButton2"},
                                                    {MISpeichern, "ToolButton3"},
                                                    {Drucken, "ToolButton4"},
                                                    {Anleitung, "ToolButton14"},
                                                    {MIBandLoeschen, "TBBand"},
                                                    {MIletzterBandinhalt, "ToolButton7"},
                                                    {MIAnfangszustand, "TBAnfangszustand"},
                                                    {ToolButton5, "ToolButton5"},
                                                    {MIEinzelschritt, "TBStep"},
                                                    {MISchrittZurueck, "TBStepBack"}};
  for (const auto& [action, name] : names) ToolBar1->widgetForAction(action)->setObjectName(QString::fromLatin1(name));
  for (int k = 0; k < kKindCount; ++k) ToolBar1->widgetForAction(TBKinds[k])->setObjectName(TBKinds[k]->objectName());
  // The "»" of the buttons that do not fit, which Qt leaves unnamed, for screen readers.
  if (auto* more = ToolBar1->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
    more->setAccessibleName(QStringLiteral("Weitere Befehle"));
  ToolBar1->widgetForAction(MIEinzelschritt)->installEventFilter(new NoToolTip(this));
  SizeToolBar();
}

// The tool bar's buttons and icons at the zoom's size.
void TForm1::SizeToolBar() {
  ToolBar1->setIconSize(QSize(BarScaled(16), BarScaled(16)));
  for (QAction* a : ToolBar1->actions())
    if (!a->isSeparator()) ToolBar1->widgetForAction(a)->setFixedSize(BarScaled(23), BarScaled(22));
  ToolBar1->move(8, BarScaled(2));
  ToolBar1->adjustSize();
  // Narrow beside the panes, the controls may be; the labels wrap, the tool bar folds.
  centralWidget()->setMinimumWidth(320);
}

// The speed controls stand right of the tool bar, where the window's design
// has them if there is room, else in a row of their own below it.
void TForm1::LayoutPanel(int width) {
  // A tool bar wider than the window folds its last buttons into a menu.
  ToolBar1->resize(std::min(ToolBar1->sizeHint().width(), width - 16), ToolBar1->sizeHint().height());
  int left = std::max(BarScaled(379), ToolBar1->x() + ToolBar1->width() + 6);
  int top = 0;
  if (left + BarScaled(189) + BarScaled(40) > width - 8) {
    left = 8;
    top = BarScaled(29);
  }
  PPanel->setGeometry(0, 0, width, top + BarScaled(29));
  LFrequenz->setGeometry(left, top + BarScaled(6), std::max(LFrequenz->sizeHint().width(), BarScaled(55)),
                         BarScaled(30));
  TrackBar1->setGeometry(left + BarScaled(61), top + BarScaled(4), BarScaled(121), BarScaled(21));
  LFrequenz2->move(left + BarScaled(189), top + BarScaled(6));
}

void TForm1::CreateControls() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Client"));
  setCentralWidget(central);

  PPanel = new QWidget(central);
  PPanel->setObjectName(QStringLiteral("PPanel"));
  PPanel->setGeometry(0, 0, 671, 29);

  LFrequenz = new QLabel(QStringLiteral("Frequenz"), PPanel);
  LFrequenz->setObjectName(QStringLiteral("LFrequenz"));
  LFrequenz->move(379, 6);
  TrackBar1 = new QSlider(Qt::Horizontal, PPanel);
  TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
  TrackBar1->setGeometry(440, 4, 121, 21);
  TrackBar1->setRange(1, 100);
  TrackBar1->setValue(12);
  TrackBar1->setTickInterval(10);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setSingleStep(5);
  TrackBar1->setPageStep(5);
  TrackBar1->setAccessibleName(QStringLiteral("Frequenz"));
  connect(TrackBar1, &QSlider::valueChanged, this, [this] { sim_.ShowSpeed(); });
  LFrequenz2 = new QLabel(QStringLiteral("Frequenz"), PPanel);
  LFrequenz2->setObjectName(QStringLiteral("LFrequenz2"));
  LFrequenz2->move(568, 6);
  LFrequenz2->setMinimumWidth(70);

  auto field = [this, central](const char* name, int top, bool withMarker, Field f) {
    auto* e = new TapeField(withMarker, central);
    e->setObjectName(QString::fromLatin1(name));
    e->setFont(Courier(16));
    e->setGeometry(8, top, 617, e->sizeHint().height());
    connect(e, &TapeField::edited, this, [this, f] { sim_.FieldEdited(f); });
    return e;
  };
  EBand = field("EBand", 40, true, Field::EBand);
  EBand->setAccessibleName(QStringLiteral("Band"));
  EAusgabe = field("EAusgabe", 80, false, Field::EAusgabe);
  EAusgabe->setAccessibleName(QString::fromUtf8(SecondFieldName(MachineKind::DEA)));
  EAusgabe->raise();  // over the tape's marker row where they meet

  auto label = [central](const char* name, const QString& text, int x, int y, int pixels) {
    auto* l = new PlainLabel(text, central);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(Courier(pixels));
    l->move(x, y);
    l->adjustSize();
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
  };
  LZustand = label("LZustand", QStringLiteral("Zustand : undefiniert"), 8, 110, 13);
  LSchritte = label("LSchritte", QStringLiteral("Schritte: "), 270, 110, 13);
  LBefehl = label("LBefehl", QStringLiteral("Übergang: "), 8, 128, 13);
  LMeldung = label("LMeldung", QString(), 270, 128, 13);
  labels_ = {LZustand, LSchritte, LBefehl, LMeldung};

  MProgramm = new QPlainTextEdit(central);
  MProgramm->setObjectName(QStringLiteral("MProgramm"));
  MProgramm->setAccessibleName(QStringLiteral("Programm"));
  MProgramm->setFont(Courier(13));
  MProgramm->setGeometry(8, 152, 617, 185);
  MProgramm->setLineWrapMode(QPlainTextEdit::NoWrap);
  MProgramm->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MProgramm->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MProgramm->setPlainText(QStringLiteral("MProgramm"));
  MProgramm->setTabChangesFocus(true);  // Tab moves on, as in every field of the window
  MProgramm->installEventFilter(this);
  MProgramm->viewport()->installEventFilter(this);
  // Changed exactly when the text changed, by keys, mouse or undo alike.
  // Every change of the text, typed, undone or set: a text parsed before is known by it.
  connect(MProgramm->document(), &QTextDocument::contentsChanged, this, [this] { ++programRevision_; });
  connect(MProgramm->document(), &QTextDocument::modificationChanged, this,
          [this](bool changed) { session_.ProgramEdited(changed); });
  EBand->installEventFilter(this);
  EAusgabe->installEventFilter(this);

  setTabOrder(EBand, EAusgabe);
  setTabOrder(EAusgabe, MProgramm);
  setTabOrder(MProgramm, TrackBar1);
  EBand->setFocus();  // the window opens with the cursor in the tape
  central->installEventFilter(this);
}

void TForm1::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setSizeGripEnabled(true);
  for (int i = 0; i < 3; ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(panel, i < 2 ? 0 : 1);
    StatusPanels[static_cast<std::size_t>(i)] = panel;
  }
  LayoutStatusBar();
}

// At least the panel widths of the window's design, and wide enough for
// their texts in the font the platform gives at the zoom's size.
void TForm1::LayoutStatusBar() {
  statusBar()->setFixedHeight(std::max(BarScaled(25), QFontMetrics(font()).height() + 8));
  const QFontMetrics fm(font());
  int kindWidth = BarScaled(30);
  for (MachineKind kind : kKinds)
    kindWidth =
        std::max(kindWidth, fm.horizontalAdvance(QStringLiteral(" %1 ").arg(QString::fromUtf8(InfoOf(kind).name))) + 8);
  StatusPanels[0]->setFixedWidth(kindWidth);
  StatusPanels[1]->setFixedWidth(std::max(BarScaled(60), fm.horizontalAdvance(QStringLiteral(" geändert ")) + 8));
}

// ---- Layout ---------------------------------------------------------------------

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutControls();
  if (firstResize_ && !restoring_) {
    restoring_ = true;
    session_.Restore();
    // A file named on the command line replaces the restored program.
    if (!startFile_.isEmpty()) session_.Load(startFile_.toStdString());
    restoring_ = false;
    firstResize_ = false;
    // The restored bounds may arrive before the window has taken them.
    LayoutControls();
  }
  tapeWidth_ = TapeWidthOf(EBand->width());
  TapeFieldResized();
}

// A resize blanks the marker, but not one where a pane opened or closed or
// the zoom changed the bars around: the head stays where it is.
void TForm1::TapeFieldResized() {
  const long long marked = EBand->MarkedCell();
  sim_.TapeFieldResized();
  if (roomChanged_.isValid() && roomChanged_.elapsed() < 1000) EBand->MarkCell(marked);
}

// At 100 % the fields, labels and program area stand where the window's design
// has them; a zoom scales their fonts and the rows below the tape with them.
void TForm1::LayoutControls() {
  const int w = centralWidget()->width();
  const int h = height();
  LayoutPanel(w);
  EBand->setGeometry(8, PPanel->height() + BarScaled(11), w - 20, EBand->sizeHint().height());
  EAusgabe->setGeometry(8, EBand->y() + EBand->sizeHint().height() - 2, w - 20, EAusgabe->sizeHint().height());
  const int row1 = EAusgabe->y() + EAusgabe->height() + 4;
  const int programTop = LayoutLabels(row1);
  MProgramm->setGeometry(8, programTop, w - 20, std::max(h - 64 - programTop, 0));
  tapeWidth_ = TapeWidthOf(EBand->width());
  LFrequenz2->resize(std::max(w - LFrequenz2->x() - 8, 10), QFontMetrics(LFrequenz2->font()).height() + 2);
}

// The status labels stand in two rows of two, as the window was designed:
// state and steps, transition and verdict. A row whose texts do not fit
// their columns puts each label on a row of its own, wrapped to the window's
// width; and where even then the lines do not fit below the fields, the
// labels' font gives way, never their text. Returns the top of the program area.
int TForm1::LayoutLabels(int top) {
  const int w = centralWidget()->width();
  const int column = Scaled(262);
  const int zoomPixels = std::max(Scaled(13), 1);
  const int gap = Scaled(18) - QFontMetrics(Courier(zoomPixels)).height();  // between two rows
  for (int pixels = zoomPixels;; pixels = pixels * 9 / 10) {
    for (PlainLabel* l : labels_)
      if (l->font().pixelSize() != pixels) l->setFont(Courier(pixels));
    const int lineHeight = QFontMetrics(labels_[0]->font()).height();
    int y = top;
    for (std::size_t row = 0; row < 2; ++row) {
      PlainLabel* left = labels_[2 * row];
      PlainLabel* right = labels_[2 * row + 1];
      sideBySide_[row] = Fits(left, column - 4) && Fits(right, w - 16 - column);
      if (sideBySide_[row]) {
        // Each reaches to the right edge, so a new text costs no new layout;
        // the left one runs under the right one, where its text never reaches.
        left->setGeometry(8, y, std::max(w - 16, 10), lineHeight + 2);
        right->setGeometry(8 + column, y, std::max(w - 16 - column, 10), lineHeight + 2);
        labelLines_[2 * row] = labelLines_[2 * row + 1] = 1;
        y += lineHeight + gap;
        continue;
      }
      for (std::size_t i = 2 * row; i < 2 * row + 2; ++i) {
        labelLines_[i] = labels_[i]->Lines(w - 16);
        labels_[i]->setGeometry(8, y, std::max(w - 16, 10), labelLines_[i] * lineHeight + 2);
        y += labelLines_[i] * lineHeight + gap;
      }
    }
    const int programTop = y + Scaled(24) - Scaled(18);  // as far below the last row as the design has it
    if (programTop <= centralWidget()->height() || pixels <= 6) return programTop;
  }
}

// Measured in the zoom's font, which the labels have unless they gave way.
bool TForm1::Fits(const PlainLabel* label, int width) const {
  const qreal zoomed = std::lround(13 * zoom_ / 100.0) / static_cast<qreal>(std::max(label->font().pixelSize(), 1));
  return label->text().size() * label->Advance() * zoomed <= width;
}

bool TForm1::LabelsNeedLayout() const {
  const int w = centralWidget()->width();
  const int column = Scaled(262);
  for (std::size_t row = 0; row < 2; ++row) {
    const bool fits = Fits(labels_[2 * row], column - 4) && Fits(labels_[2 * row + 1], w - 16 - column);
    if (fits != sideBySide_[row]) return true;
    if (!fits)
      for (std::size_t i = 2 * row; i < 2 * row + 2; ++i)
        if (labels_[i]->Lines(w - 16) != labelLines_[i]) return true;
  }
  return false;
}

// The tape cells a field of this width shows: 9 pixels a cell at 100 %, less 8.
int TForm1::TapeWidthOf(int fieldWidth) const {
  return std::clamp(static_cast<int>(fieldWidth / (9 * zoom_ / 100.0)) - 8, 0, 65535);
}

int TForm1::Zoom() const { return zoom_; }

void TForm1::ZoomTextWindows() {
  for (TextWindow* w : {static_cast<TextWindow*>(help_), static_cast<TextWindow*>(info_)})
    if (w != nullptr) w->SetZoom(zoom_);
}

int TForm1::Scaled(int pixels) const { return std::max(1, static_cast<int>(std::lround(pixels * zoom_ / 100.0))); }

// Beyond 200 % the bars keep their size: the room is the machine's.
int TForm1::BarScaled(int pixels) const {
  return std::max(1, static_cast<int>(std::lround(pixels * std::min(zoom_, 200) / 100.0)));
}

// The fonts of tape, second field, marker, labels and program area grow and
// shrink together, and with them the diagram and the help; the window's own
// font (menus, panes, status bar and message boxes) and the tool bar's icons
// grow up to 200 %. The tape field keeps its head cell and marker in view.
void TForm1::SetZoom(int percent) {
  if (ClampZoom(percent) != zoom_) roomChanged_.start();
  zoom_ = ClampZoom(percent);
  for (TapeField* f : {EBand, EAusgabe}) f->setFont(Courier(Scaled(16)));
  MProgramm->setFont(Courier(Scaled(13)));
  setFont(WindowFont(BarScaled(13)));
  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) menu->setFont(font());
  SizeToolBar();
  LayoutStatusBar();
  if (diagram_) diagram_->SetZoom(zoom_);
  ZoomTextWindows();
  LayoutControls();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // The diagram pane beside it narrows the window's controls.
  if (watched == centralWidget() && event->type() == QEvent::Resize && !firstResize_) {
    LayoutControls();
    TapeFieldResized();
  }
  // Ctrl and the wheel over the program area zoom the window, not only the program.
  if (watched == MProgramm->viewport() && event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (wheel->modifiers() & Qt::ControlModifier) {
      if (wheel->angleDelta().y() != 0) SetZoom(wheel->angleDelta().y() > 0 ? ZoomIn(zoom_) : ZoomOut(zoom_));
      return true;
    }
  }
  // Some platforms give text fields editing keys such as Ctrl+E and Ctrl+D;
  // the menu's shortcuts win over them.
  if (event->type() == QEvent::ShortcutOverride) {
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (QAction* a : {Neu, Oeffnen, MISpeichern, Speichernunter1, Drucken, DruckenDialog, MIEnde})
      if (a->shortcuts().contains(pressed)) {
        event->ignore();
        return true;
      }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---- Commands -------------------------------------------------------------------

void TForm1::ShowHelp() {
  if (help_) ShowAndRaise(help_);
}

void TForm1::ShowInfo() {
  if (info_) ShowAndRaise(info_);
}

// ---- View -----------------------------------------------------------------------

TapeField* TForm1::FieldWidget(Field f) const { return f == Field::EBand ? EBand : EAusgabe; }

QLabel* TForm1::LabelWidget(Label l) const {
  switch (l) {
    case Label::LZustand: return LZustand;
    case Label::LBefehl: return LBefehl;
    case Label::LMeldung: return LMeldung;
    case Label::LSchritte: return LSchritte;
    case Label::LFrequenz2: return LFrequenz2;
  }
  return LZustand;
}

std::string TForm1::FieldText(Field f) const { return FieldWidget(f)->Text(); }

void TForm1::SetFieldText(Field f, const std::string& text) { FieldWidget(f)->SetText(text); }

void TForm1::ReplaceInField(Field f, std::size_t index, std::size_t removed, const std::string& inserted) {
  FieldWidget(f)->Replace(index, removed, inserted);
}

void TForm1::MarkCell(Field f, long long index) { FieldWidget(f)->MarkCell(index); }

void TForm1::FocusField(Field f) { FieldWidget(f)->setFocus(); }

void TForm1::SetFieldVisible(Field f, bool visible) { FieldWidget(f)->setVisible(visible); }

int TForm1::ProgramLineCount() const { return MProgramm->document()->blockCount(); }

std::string TForm1::ProgramLine(int i) const {
  const QTextBlock block = MProgramm->document()->findBlockByNumber(i);
  return block.isValid() ? ProgramLineToMachine(block.text()) : std::string();
}

std::string TForm1::ProgramText() const { return MProgramm->toPlainText().toStdString(); }

void TForm1::SetProgramText(const std::string& utf8) {
  MProgramm->setPlainText(QString::fromStdString(NormalizeLineEnds(utf8)));
}

void TForm1::ReplaceProgramLines(int first, int count, const std::string& utf8) {
  QTextDocument* doc = MProgramm->document();
  QTextCursor cursor(doc);
  const QTextBlock from = doc->findBlockByNumber(std::max(first, 0));
  cursor.beginEditBlock();
  if (!from.isValid()) {  // beyond the last line: the lines follow it
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\n"));
  } else {
    cursor.setPosition(from.position());
    if (count > 0) {
      const QTextBlock last = doc->findBlockByNumber(first + count - 1);
      if (last.next().isValid())
        cursor.setPosition(last.next().position(), QTextCursor::KeepAnchor);
      else
        cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    }
  }
  const QString text = QString::fromStdString(NormalizeLineEnds(utf8));
  const bool lineFollows = from.isValid() && (count == 0 || doc->findBlockByNumber(first + count - 1).next().isValid());
  cursor.insertText(lineFollows ? text + QLatin1Char('\n') : text);
  cursor.endEditBlock();
}

// Offsets count each line break as two characters; the document counts one.
void TForm1::SelectInProgram(int start, int length) {
  auto toDocument = [this](int offset) {
    int counted = 0;
    QTextBlock b = MProgramm->document()->begin();
    for (; b.isValid(); b = b.next()) {
      const int len = static_cast<int>(b.length()) - 1;
      if (offset <= counted + len) return static_cast<int>(b.position()) + (offset - counted);
      counted += len + 2;
      if (offset < counted) return static_cast<int>(b.position()) + len;  // inside the break
    }
    return static_cast<int>(MProgramm->document()->characterCount()) - 1;
  };
  QTextCursor c(MProgramm->document());
  c.setPosition(toDocument(start));
  c.setPosition(toDocument(start + length), QTextCursor::KeepAnchor);
  MProgramm->setTextCursor(c);
  MProgramm->ensureCursorVisible();
}

void TForm1::FocusProgram() { MProgramm->setFocus(); }

void TForm1::MarkProgramUnchanged() { MProgramm->document()->setModified(false); }

void TForm1::SetLabelText(Label l, const std::string& text) {
  QLabel* label = LabelWidget(l);
  const bool verdictCame = l == Label::LMeldung && label->text().isEmpty() && !text.empty();
  label->setText(FromMachine(text));  // a screen reader hears of the new name
  if (l == Label::LFrequenz2) TrackBar1->setAccessibleDescription(label->text());  // "0,2 Hz" for the slider
  if (verdictCame && QAccessible::isActive()) {
    QAccessibleEvent verdict(label, QAccessible::Alert);
    QAccessible::updateAccessibility(&verdict);
  }
  // A text that no longer fits where it stands reflows the labels, so that
  // none is ever cut off; in the usual case this is one multiplication.
  if (l != Label::LFrequenz2 && LabelsNeedLayout()) LayoutControls();
}

void TForm1::SetLabelColour(Label l, TextColour c) {
  QLabel* label = LabelWidget(l);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, ColourOf(c));
  label->setPalette(p);
}

void TForm1::SetStatusPanel(StatusPanel panel, const std::string& text) {
  StatusPanels[static_cast<std::size_t>(panel)]->setText(FromMachine(text));
}

void TForm1::SetKindButtonDown(MachineKind kind, bool down) {
  const auto k = static_cast<std::size_t>(kind);
  if (k < TBKinds.size()) TBKinds[k]->setChecked(down);
  if (down && tools_) tools_->EnableFor(kind);
  if (down) EAusgabe->setAccessibleName(QString::fromUtf8(SecondFieldName(kind)));
}

void TForm1::ShowLoopCheck(bool on) { MIEndlosschleifen->setChecked(on); }

void TForm1::SetStartImage(StartImage image) {
  if (image == startImage_) return;  // a new icon repaints the button
  static const QIcon start = MachineIcon(kImgStart);
  static const QIcon stop = MachineIcon(kImgStop);
  startImage_ = image;
  ToolButton5->setIcon(image == StartImage::Stop ? stop : start);
}

bool TForm1::TimerEnabled() const { return Timer1->isActive(); }

void TForm1::SetTimerEnabled(bool on) {
  if (on && !Timer1->isActive())
    Timer1->start();
  else if (!on)
    Timer1->stop();
}

void TForm1::SetTimerInterval(int ms) {
  if (Timer1->interval() != ms) Timer1->setInterval(ms);
}

int TForm1::TimerInterval() const { return Timer1->interval(); }

int TForm1::SliderPosition() const { return TrackBar1->value(); }

void TForm1::SetSliderPosition(int position) { TrackBar1->setValue(std::clamp(position, 1, 100)); }

void TForm1::ShowMessage(const std::string& text) { dialogs_.Message(this, FromMachine(text)); }

bool TForm1::OfferKind(const std::string& fault, MachineKind fits) {
  return dialogs_.MessageWithSwitch(
      this, FromMachine(fault) + QStringLiteral("\n\n") + QString::fromStdString(FitsKindText(fits)));
}

Answer TForm1::AskSaveQuestion(const std::string& text) { return dialogs_.SaveQuestion(this, FromMachine(text)); }

void TForm1::SetCaption(const std::string& text) { setWindowTitle(FromMachine(text)); }

Bounds TForm1::WindowBounds() const { return {x(), y(), width(), height()}; }

// Stored bounds are kept within the screen's free area: a window larger than
// the screen would take memory and time at every start.
void TForm1::SetWindowBounds(const Bounds& b) {
  int left = b.left, top = b.top;
  int width = std::max(b.width, minimumWidth()), height = std::max(b.height, minimumHeight());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect free = screen->availableGeometry();
    width = std::max(std::min(width, free.width()), minimumWidth());
    height = std::max(std::min(height, free.height()), minimumHeight());
    left = std::clamp(left, free.left(), std::max(free.left(), free.right() + 1 - width));
    top = std::clamp(top, free.top(), std::max(free.top(), free.bottom() + 1 - height));
  }
  move(left, top);
  resize(width, height);
}

// ---- The panes -------------------------------------------------------------------

void TForm1::GrowBy(int pixels) {
  roomChanged_.start();
  if (restoring_ || isMaximized() || isFullScreen()) return;
  const int room = screen() != nullptr ? screen()->availableGeometry().right() - frameGeometry().right() : 0;
  resize(width() + std::min(pixels, std::max(room, 0)), height());
}

void TForm1::MachineShown() {
  if (diagram_) diagram_->MachineShown();
}

Panes TForm1::PanesShown() const { return {diagram_->State(), tests_->State()}; }

void TForm1::SetPanes(const Panes& panes) {
  diagram_->SetState(panes.diagram);
  tests_->SetState(panes.tests);
}

}  // namespace automaten

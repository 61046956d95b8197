// The main window's widgets and actions, found by their object names, as a
// test or a screen reader finds them; and the window's dialogs answered from
// a script instead of a user.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSlider>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "ui/diagrampane.h"
#include "ui/dialogs.h"
#include "ui/machinetext.h"
#include "ui/tapefield.h"
#include "ui/testpane.h"
#include "ui/tform1.h"

namespace automaten::testing {

struct WindowParts {
  explicit WindowParts(QObject& window) : w(window) {}

  template <typename T>
  T* Find(const char* name) const {
    T* found = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  QObject& w;
  TapeField* EBand = Find<TapeField>("EBand");
  TapeField* EAusgabe = Find<TapeField>("EAusgabe");
  QPlainTextEdit* MProgramm = Find<QPlainTextEdit>("MProgramm");
  QLabel* LZustand = Find<QLabel>("LZustand");
  QLabel* LSchritte = Find<QLabel>("LSchritte");
  QLabel* LBefehl = Find<QLabel>("LBefehl");
  QLabel* LMeldung = Find<QLabel>("LMeldung");
  QLabel* LFrequenz2 = Find<QLabel>("LFrequenz2");
  QSlider* TrackBar1 = Find<QSlider>("TrackBar1");
  QTimer* Timer1 = Find<QTimer>("Timer1");
  std::array<QLabel*, kPanelCount> StatusPanels{Find<QLabel>("StatusPanel0"), Find<QLabel>("StatusPanel1"),
                                                Find<QLabel>("StatusPanel2")};
  TestPane* Tests = Find<TestPane>("Tests");
  DiagramPane* Diagramm = Find<DiagramPane>("Diagramm");
  QAction* Neu = Find<QAction>("Neu");
  QAction* Oeffnen = Find<QAction>("Oeffnen");
  QAction* MISpeichern = Find<QAction>("MISpeichern");
  QAction* Drucken = Find<QAction>("Drucken");
  QAction* MIEnde = Find<QAction>("MIEnde");
  QAction* MIBandLoeschen = Find<QAction>("MIBandLoeschen");
  QAction* MIAnfangszustand = Find<QAction>("MIAnfangszustand");
  QAction* MIAnhalten = Find<QAction>("MIAnhalten");
  QAction* MIEinzelschritt = Find<QAction>("MIEinzelschritt");
  QAction* MISchrittZurueck = Find<QAction>("MISchrittZurueck");
  QAction* MIEndlosschleifen = Find<QAction>("MIEndlosschleifen");
  QAction* Groesser = Find<QAction>("Groesser");
  QAction* MIDiagramm = Find<QAction>("MIDiagramm");
  QAction* DiagrammExportieren = Find<QAction>("DiagrammExportieren");
  QAction* DiagrammVollbild = Find<QAction>("DiagrammVollbild");
  QAction* MITests = Find<QAction>("MITests");
  QAction* MIAlleTests = Find<QAction>("MIAlleTests");
  QAction* InAkzeptorUmwandeln = Find<QAction>("InAkzeptorUmwandeln");
  QAction* AkzeptorMinimieren = Find<QAction>("AkzeptorMinimieren");
  QAction* VergleichenMit = Find<QAction>("VergleichenMit");
  QAction* Info1 = Find<QAction>("Info1");
  std::array<QAction*, kKindCount> MIKinds{Find<QAction>("MI_det_Automat"), Find<QAction>("MI_Akzeptor"),
                                           Find<QAction>("MI_nichtdetAutomat"), Find<QAction>("MI_Kellerautomat"),
                                           Find<QAction>("MI_Turingmaschine")};
  std::array<QAction*, kKindCount> TBKinds{Find<QAction>("TB_DEA"), Find<QAction>("TB_AKz"), Find<QAction>("TB_NEA"),
                                           Find<QAction>("TB_KA"), Find<QAction>("TB_TM")};
};

// Each box or dialog calls its function; one left empty fails the test when
// the window asks it. Message and question texts arrive as machine text.
struct ScriptedDialogs : Dialogs {
  std::function<void(const std::string&)> message;
  std::function<bool(const std::string&)> offer;  // a message with "Umschalten"; true takes it
  std::function<Answer(const std::string&)> question;
  std::function<void(const QString&)> error;
  std::function<QString(File)> file;  // the chosen name, empty for "cancel"
  std::function<std::unique_ptr<QPrinter>()> printer;
  // The print dialog: gets what is offered and ticked, ticks its choice; null for "cancel".
  std::function<std::unique_ptr<QPrinter>(const PrintParts& offered, PrintParts& chosen)> choosePrinter;
  std::function<bool(const QString& text, bool offersWord)> compare;
  // A text asked for: gets the label and the text it starts as; none for "Abbrechen".
  std::function<std::optional<QString>(const QString& label, const QString& text)> ask;
  std::function<void(const QString& title, const QString& text)> show;

  void Message(QWidget*, const QString& text) override {
    if (message) return message(ToMachine(text));
    ADD_FAILURE() << "unexpected message: " << text.toStdString();
  }
  bool MessageWithSwitch(QWidget*, const QString& text) override {
    if (offer) return offer(ToMachine(text));
    ADD_FAILURE() << "unexpected offer to switch: " << text.toStdString();
    return false;
  }
  Answer SaveQuestion(QWidget*, const QString& text) override {
    if (question) return question(ToMachine(text));
    ADD_FAILURE() << "unexpected question: " << text.toStdString();
    return Answer::Abbrechen;
  }
  void Error(QWidget*, const QString& text) override {
    if (error) return error(text);
    ADD_FAILURE() << "unexpected error: " << text.toStdString();
  }
  QString ChooseFile(QWidget*, File kind, const QString&) override {
    if (file) return file(kind);
    ADD_FAILURE() << "unexpected file dialog";
    return {};
  }
  std::unique_ptr<QPrinter> DefaultPrinter() override { return printer ? printer() : nullptr; }
  std::unique_ptr<QPrinter> ChoosePrinter(QWidget*, const PrintParts& offered, PrintParts& chosen) override {
    if (choosePrinter) return choosePrinter(offered, chosen);
    ADD_FAILURE() << "unexpected print dialog";
    return nullptr;
  }
  bool ComparisonResult(QWidget*, const QString& text, bool offersWord) override {
    if (compare) return compare(text, offersWord);
    ADD_FAILURE() << "unexpected comparison: " << text.toStdString();
    return false;
  }
  std::optional<QString> AskText(QWidget*, const QString&, const QString& label, const QString& text, bool) override {
    if (ask) return ask(label, text);
    ADD_FAILURE() << "unexpected question for a text: " << label.toStdString();
    return std::nullopt;
  }
  void ShowText(QWidget*, const QString& title, const QString& text) override {
    if (show) return show(title, text);
    ADD_FAILURE() << "unexpected text box: " << text.toStdString();
  }
};

}  // namespace automaten::testing

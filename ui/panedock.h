// What the panes beside the main window share: the checkable action that
// shows one (with its key for the whole application), and its dock at one of
// the window's edges, hidden at first, whose action's tick follows it when its
// own button closes it.
#pragma once

#include <QKeySequence>
#include <QString>
#include <Qt>
#include <functional>

#include "control/view.h"

class QAction;
class QDockWidget;
class QMainWindow;
class QObject;
class QWidget;

namespace automaten {

QAction* MakePaneAction(QMainWindow& window, const QString& text, const char* name, const QKeySequence& key);
// `context` owns the connection that keeps the tick in step.
QDockWidget* AddPaneDock(QMainWindow& window, QWidget* pane, const QString& title, const char* name, QAction* show,
                         QObject* context, Qt::DockWidgetArea area);
// Shows or hides a pane's dock as the user asks: hidden, it keeps its width
// and narrows the window by it; shown, it widens the window by it where the
// screen has room and takes that width. True when it was hidden and is shown now.
bool ShowPaneDock(QMainWindow& window, QDockWidget& dock, QAction& show, bool shown, int& width,
                  const std::function<void(int)>& growBy);
// Shown or not, and the width it has or will have.
PaneState PaneStateOf(const QDockWidget& dock, int width);

}  // namespace automaten

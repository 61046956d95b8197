// What the panes beside the main window share: the checkable action that
// shows one (with its key for the whole application), and its dock at one of
// the window's edges, hidden at first, whose action's tick follows it when its
// own button closes it.
#pragma once

#include <QKeySequence>
#include <QString>
#include <Qt>

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

}  // namespace automaten

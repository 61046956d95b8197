#include "panedock.h"

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QMainWindow>

namespace automaten {

QAction* MakePaneAction(QMainWindow& window, const QString& text, const char* name, const QKeySequence& key) {
  // The action belongs to the window, where menus and tests find it.
  auto* action = new QAction(text, &window);
  action->setObjectName(QString::fromLatin1(name));
  action->setCheckable(true);
  action->setShortcut(key);
  action->setShortcutContext(Qt::ApplicationShortcut);
  return action;
}

QDockWidget* AddPaneDock(QMainWindow& window, QWidget* pane, const QString& title, const char* name, QAction* show,
                         QObject* context, Qt::DockWidgetArea area) {
  auto* dock = new QDockWidget(title, &window);
  dock->setObjectName(QString::fromLatin1(name));
  dock->setWidget(pane);
  dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  // The title bar's buttons, which Qt leaves unnamed, for screen readers.
  if (auto* close = dock->findChild<QAbstractButton*>(QStringLiteral("qt_dockwidget_closebutton")))
    close->setAccessibleName(QStringLiteral("%1 schließen").arg(title));
  if (auto* floating = dock->findChild<QAbstractButton*>(QStringLiteral("qt_dockwidget_floatbutton")))
    floating->setAccessibleName(QStringLiteral("%1 lösen").arg(title));
  window.addDockWidget(area, dock);
  dock->hide();
  QObject::connect(dock, &QDockWidget::visibilityChanged, context, [dock, show, &window](bool) {
    if (dock->isHidden() && !window.isHidden()) show->setChecked(false);
  });
  return dock;
}

bool ShowPaneDock(QMainWindow& window, QDockWidget& dock, QAction& show, bool shown, int& width,
                  const std::function<void(int)>& growBy) {
  show.setChecked(shown);
  if (shown == !dock.isHidden()) return false;
  if (!shown) {
    width = dock.width();
    dock.hide();
    growBy(-width);
    return false;
  }
  growBy(width);
  dock.show();
  window.resizeDocks({&dock}, {width}, Qt::Horizontal);
  return true;
}

PaneState PaneStateOf(const QDockWidget& dock, int width) {
  return {!dock.isHidden(), dock.isHidden() ? width : dock.width()};
}

}  // namespace automaten

#pragma once
#include "widgets/WindowPlacement.h"
#include <QToolBar>

class QAction;
class QDialog;
class QPushButton;

// What the help viewer and the web window share: their toolbar, their
// layout and their place on the screen.

// The toolbar of the help viewer and the web window: Back, Forward, Refresh
// and Home, in this order, each button addressed by its key.
class BrowserToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit BrowserToolBar(QWidget* parent);
    // The button of that key, or nullptr.
    QAction* button(const QString& key) const;

signals:
    void buttonClicked(const QString& key);
};

// Lays the window out with the toolbar on top, the browser filling the
// middle and, below, an "&Exit" button that closes the window; returns the
// button.
QPushButton* layOutBrowserWindow(QDialog* window, QToolBar* toolBar, QWidget* browser);


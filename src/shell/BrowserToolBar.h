#pragma once
#include <QToolBar>

class QAction;

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

// Puts the window in the middle of its screen.
void centreOnScreen(QWidget* window);

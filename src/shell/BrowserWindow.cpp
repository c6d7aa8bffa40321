#include "widgets/WindowPlacement.h"
#include "shell/BrowserWindow.h"
#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

BrowserToolBar::BrowserToolBar(QWidget* parent) : QToolBar(parent) {
    setObjectName("tbToolBar");
    setMovable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const struct { const char* key; QStyle::StandardPixmap picture; } buttons[] = {
        {"Back", QStyle::SP_ArrowBack},
        {"Forward", QStyle::SP_ArrowForward},
        {"Refresh", QStyle::SP_BrowserReload},
        {"Home", QStyle::SP_DirHomeIcon},
    };
    for (const auto& b : buttons) {
        const QString key = b.key;
        QAction* action = addAction(style()->standardIcon(b.picture), key);
        action->setObjectName(key);
        connect(action, &QAction::triggered, this, [this, key] { emit buttonClicked(key); });
    }
}

QAction* BrowserToolBar::button(const QString& key) const {
    for (QAction* action : actions())
        if (action->objectName() == key) return action;
    return nullptr;
}

QPushButton* layOutBrowserWindow(QDialog* window, QToolBar* toolBar, QWidget* browser) {
    auto* exit = new QPushButton("&Exit", window);
    exit->setObjectName("exit_cmd");
    exit->setAutoDefault(false);
    QObject::connect(exit, &QPushButton::clicked, window, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(toolBar);
    layout->addWidget(browser, 1);
    layout->addLayout(buttons);
    return exit;
}

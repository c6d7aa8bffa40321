#pragma once
#include <QLabel>

// A one-line label for a long text such as a file path: it asks for no more
// room than `preferredWidth`, and where its text does not fit it shows it
// shortened in the middle with "…", the whole text in its tooltip. text()
// stays the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(int preferredWidth, QWidget* parent = nullptr);

    // What the label shows at its present width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int preferredWidth_;
};

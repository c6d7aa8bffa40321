#pragma once
#include <QString>

// A fixed-length text: an assignment cuts a longer text and fills a shorter
// one with blanks at the end, so readers trim.
template <int N>
class FixedText {
public:
    FixedText() : text_(N, ' ') {}
    FixedText(const QString& s) { *this = s; }
    FixedText(const char* s) { *this = QString(s); }
    FixedText& operator=(const QString& s) {
        text_ = s.left(N).leftJustified(N, ' ');
        return *this;
    }
    FixedText& operator=(const char* s) { return *this = QString(s); }
    const QString& text() const { return text_; }
    // Blanks only, never line breaks.
    QString trimmed() const { return trimBlanks(text_); }
    bool operator==(const FixedText&) const = default;

    static QString trimBlanks(const QString& s) {
        qsizetype start = 0, end = s.size();
        while (start < end && s[start] == ' ') ++start;
        while (end > start && s[end - 1] == ' ') --end;
        return s.mid(start, end - start);
    }

private:
    QString text_;
};

// Blanks removed at both ends (line breaks and tabs kept).
inline QString Trim(const QString& s) { return FixedText<1>::trimBlanks(s); }

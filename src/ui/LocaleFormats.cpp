#include "ui/LocaleFormats.h"

#include <cstring>

namespace lanescope::ui {

namespace {

// The first character of the pattern that separates the parts of a date or a time, or the fallback.
char separatorIn(const std::string& pattern, const char* letters, char fallback)
{
    for (const char c : pattern) {
        if (c == '\'' || c == '"')
            break;
        if (!std::strchr(letters, c) && c != ' ' && static_cast<unsigned char>(c) < 0x80)
            return c;
    }
    return fallback;
}

} // namespace

std::string formatPattern(const QString& qtPattern)
{
    // Qt: M month, m minute, H/h hour, AP/ap marker, '...' literal. Format patterns: m month (n minute),
    // h hour, ampm marker, "..." literal; the separators "/" and ":" stand for the locale's own, so Qt's
    // literal separators are written as they are.
    std::string pattern;
    const QByteArray bytes = qtPattern.toUtf8();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        switch (c) {
        case 'M':
            pattern += 'm';
            break;
        case 'm':
            pattern += 'n';
            break;
        case 'H':
            pattern += 'h';
            break;
        case 'A':
        case 'a':
            if (i + 1 < bytes.size() && (bytes[i + 1] == 'P' || bytes[i + 1] == 'p')) {
                pattern += "ampm";
                ++i;
            } else {
                pattern += c;
            }
            break;
        case '\'': {
            // Quoted text, in which '' stands for one quote; a lone '' is a quote as well.
            std::string literal;
            qsizetype j = i + 1;
            for (; j < bytes.size(); ++j) {
                if (bytes[j] != '\'')
                    literal += bytes[j];
                else if (j + 1 < bytes.size() && bytes[j + 1] == '\'')
                    literal += bytes[++j];
                else
                    break;
            }
            pattern += j == i + 1 ? std::string("\"'\"") : '"' + literal + '"';
            i = j;
            break;
        }
        case '/':
        case ':':
            pattern += '"';
            pattern += c;
            pattern += '"';
            break;
        case 't':
            break; // time zone: the core formats local times only
        default:
            pattern += c;
        }
    }
    return pattern;
}

base::TFormatSettings withLocaleFormats(base::TFormatSettings settings, const QLocale& locale)
{
    settings.shortDateFormat = formatPattern(locale.dateFormat(QLocale::ShortFormat));
    settings.longDateFormat = formatPattern(locale.dateFormat(QLocale::LongFormat));
    settings.shortTimeFormat = formatPattern(locale.timeFormat(QLocale::ShortFormat));
    settings.longTimeFormat = formatPattern(locale.timeFormat(QLocale::LongFormat));
    settings.dateSeparator = separatorIn(locale.dateFormat(QLocale::ShortFormat).toStdString(), "dMy", '/');
    settings.timeSeparator =
        separatorIn(locale.timeFormat(QLocale::ShortFormat).toStdString(), "hHmsaAPp", ':');
    const QString decimal = locale.decimalPoint();
    if (decimal.size() == 1 && decimal.at(0).unicode() < 0x80)
        settings.decimalSeparator = static_cast<char>(decimal.at(0).unicode());
    settings.timeAMString = locale.amText().toStdString();
    settings.timePMString = locale.pmText().toStdString();
    return settings;
}

} // namespace lanescope::ui

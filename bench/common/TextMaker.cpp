#include "TextMaker.h"

#include <iterator>

namespace tarvo::bench {

namespace {
const char *const kWords[] = {
    "the",       "a",        "when",     "after",        "before",   "while",     "then",       "and",
    "but",       "or",       "not",      "again",        "only",     "every",     "some",       "user",
    "customer",  "report",   "dialog",   "window",       "button",   "list",      "field",      "value",
    "setting",   "option",   "file",     "folder",       "network",  "drive",     "printer",    "server",
    "database",  "record",   "index",    "column",       "row",      "page",      "preview",    "export",
    "import",    "mail",     "message",  "error",        "warning",  "crash",     "freeze",     "delay",
    "timeout",   "update",   "release",  "version",      "build",    "installer", "setup",      "license",
    "login",     "password", "account",  "screen",       "font",     "colour",    "layout",     "toolbar",
    "menu",      "shortcut", "click",    "double-click", "drag",     "drop",      "scroll",     "resize",
    "open",      "close",    "save",     "delete",       "insert",   "change",    "select",     "search",
    "filter",    "sort",     "print",    "send",         "attach",   "copy",      "paste",      "shows",
    "hides",     "loses",    "keeps",    "fails",        "stops",    "starts",    "returns",    "expects",
    "writes",    "reads",    "opens",    "closes",       "takes",    "seconds",   "minutes",    "twice",
    "sometimes", "always",   "never",    "slowly",       "wrongly",  "blank",     "empty",      "wrong",
    "old",       "new",      "missing",  "duplicate",    "hidden",   "visible",   "invalid",    "valid",
    "large",     "small",    "first",    "last",         "next",     "previous",  "whole",      "partial",
    "German",    "English",  "Windows",  "terminal",     "laptop",   "office",    "branch",     "monthly",
    "yearly",    "daily",    "invoice",  "order",        "contract", "address",   "contact",    "phone",
    "date",      "time",     "amount",   "total",        "status",   "priority",  "workaround", "steps",
    "reproduce", "expected", "actual",   "result",       "log",      "trace",     "screenshot", "attached",
    "see",       "also",     "since",    "until",        "about",    "without",   "with",       "from",
    "into",      "on",       "in",       "of",           "to",       "for",       "by",         "it",
    "this",      "that",     "which",    "is",           "was",      "are",       "Lösung",     "Übersicht",
    "Größe",     "Straße",   "Änderung",
};
constexpr int kWordCount = int(std::size(kWords));

void appendSentence(QString &out, Rng &rng)
{
    const int words = rng.between(5, 16);
    for (int w = 0; w < words; ++w) {
        QString word = QString::fromUtf8(kWords[rng.below(kWordCount)]);
        if (w == 0)
            word[0] = word[0].toUpper();
        if (w > 0)
            out += QLatin1Char(' ');
        out += word;
        if (w > 2 && w + 2 < words && rng.chance(0.08))
            out += QLatin1Char(',');
    }
}
} // namespace

QString TextMaker::text(Rng &rng, int minChars, int maxChars)
{
    const int target = rng.between(minChars, maxChars);
    QString out;
    out.reserve(target + 120);
    while (out.size() < target) {
        if (!out.isEmpty())
            out += rng.chance(0.15) ? QStringLiteral("\r\n") : QStringLiteral(" ");
        appendSentence(out, rng);
        out += QLatin1Char('.');
    }
    out.truncate(maxChars);
    return out;
}

QString TextMaker::line(Rng &rng, int maxChars)
{
    QString out;
    appendSentence(out, rng);
    out.truncate(maxChars);
    return out;
}

} // namespace tarvo::bench

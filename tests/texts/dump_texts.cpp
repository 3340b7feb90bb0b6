// dump_texts english|deutsch: prints the text table filled in one language, one line per
// slot from 0 to 489: the slot number, a tab, the text (UTF-8; empty for an unset slot).

#include "main/Kelpa.h"
#include "texts/Sprache.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "english") == 0) {
        TexteEnglisch();
    } else if (argc == 2 && std::strcmp(argv[1], "deutsch") == 0) {
        TexteDeutsch();
    } else {
        std::fputs("usage: dump_texts english|deutsch\n", stderr);
        return 2;
    }
    for (std::size_t slot = 0; slot < KELPA::LanguageText.size(); ++slot) {
        const QByteArray line =
            QByteArray::number(qulonglong(slot)) + '\t' + KELPA::LanguageText[slot].toUtf8() + '\n';
        std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

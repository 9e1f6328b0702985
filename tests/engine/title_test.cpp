#include "engine/title.h"
#include "test_files.h"

// titles.txt holds "level vulgar useless title" lines, the last two word
// counts: the titles are computed afresh and the whole file compared.
TEST(StatusTitle, BandsAndRanksAtTheirEdges)
{
    const QString path = QStringLiteral(NANAIRO_TEST_DATA "/titles.txt");
    QStringList lines = QString::fromUtf8(bytesOf(path)).split(u'\n');
    for (QString &line : lines) {
        const QStringList n = line.split(u' ');
        if (!line.startsWith(u'#') && n.size() == 4)
            line =
                QStringList{n[0], n[1], n[2], statusTitle(n[0].toShort(), n[1].toShort(), n[2].toShort())}.join(u' ');
    }
    expectGoldenText(path, lines.join(u'\n'));
}

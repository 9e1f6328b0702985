// Any bytes may be opened as a save file: the reader must either refuse them
// with a reason and a line, or read records that the writer turns into bytes
// that read back the same.

#include "persistence/egg_codec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const EggDecoded decoded = decodeEgg(bytes);
    if (!decoded.ok()) {
        if (decoded.line < 1 || !decoded.content.records.empty())
            std::abort();
        return 0;
    }
    if (decoded.content.records.size() > std::size_t(kMaxEggRecords))
        std::abort();
    // An unfinished last record left out: what is before it reads whole,
    // as the same records.
    if (decoded.unfinishedBytes > 0) {
        const EggDecoded before = decodeEgg(bytes.first(bytes.size() - decoded.unfinishedBytes));
        if (decoded.unfinishedBytes > bytes.size() || !before.ok() || before.unfinishedBytes != 0
            || before.content.records != decoded.content.records)
            std::abort();
    }

    // Whatever opens can be saved again: the game in hand came from it.
    const EggEncoded encoded = encodeEgg(decoded.content.records);
    if (!encoded.ok())
        std::abort();
    const EggDecoded again = decodeEgg(encoded.bytes);
    if (!again.ok() || again.content.records != decoded.content.records)
        std::abort();
    return 0;
}

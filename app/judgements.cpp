// What the character makes of a stored answer when it meets the word again.

#include "app/main_window.h"

void Form1::EroHantei()
{
    if (codeIs(talkRecord().Vulgar, 1))
        Action();
}

void Form1::DameHantei()
{
    if (codeIs(talkRecord().Useful, 2))
        Action();
}

Int16 Form1::HateHantei(int index, std::optional<Memory> memory) const
{
    const Memory where = memory.value_or(TalkFrom == u"y" ? Memory::Data : Memory::NewData);
    return codeIs(record(where, index).Like, 3) ? 1 : 0;
}

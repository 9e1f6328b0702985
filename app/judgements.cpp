#include "app/main_window.h"

void Form1::EroHantei() {}
void Form1::DameHantei() {}
Int16 Form1::HateHantei(int, std::optional<Memory>) const { return 0; }

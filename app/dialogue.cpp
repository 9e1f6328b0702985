// The teaching dialogue: the name, then words and their five questions.

#include "app/main_window.h"

void Form1::cmdKakuninClick() {}
void Form1::cmdModoruClick() {}
void Form1::lblSentakuClick(int) {}
void Form1::MenuHyouji() {}

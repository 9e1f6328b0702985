#include "app/main_window.h"

void Form1::tmrMessageTick() {}
void Form1::tmrTalkTick() {}
void Form1::Message() {}
void Form1::JobMsg() {}
void Form1::LifeMsg() {}
void Form1::FoodMsg() {}
void Form1::DoMsg() {}
void Form1::ManMsg() {}
void Form1::GroupMsg() {}
void Form1::PlaceMsg() {}
void Form1::AisatsuMsg() {}
void Form1::BookMsg() {}
void Form1::MeiKakuMsg() {}
void Form1::remark(const QString &, const QString &) {}

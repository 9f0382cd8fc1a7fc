#include "app/form.h"
namespace kv {
void Form::ShutDown() {}
void Form::CmdAns_Click() {}
void Form::PicMain_MouseMove(Qt::MouseButtons, double, double) {}
void Form::PicMain_MouseDown(Qt::MouseButton, double, double) {}
void Form::PicAns_MouseDown(Qt::MouseButton) {}
void Form::Form_KeyDown(int) {}
void Form::timCorrect_Timer() {}
void Form::timAnsPoint_Timer() {}
void Form::timMissFrash_Timer() {}
void Form::timCaution_Timer() {}
void Form::timLabelAns_Timer() {}
void Form::LabelAns_Click() {}
void Form::PauseOn() {}
void Form::PauseOff() {}
void Form::Pause_Click() {}
void Form::timPauseFlash_Timer() {}
}

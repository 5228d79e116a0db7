#pragma once
// The plug-in's way to its message boxes and dialogs. The plug-in links nothing of the program,
// so it keeps its own instance of the prompt interface: the real boxes unless a test installed
// a scripted one.

#include "../manager/prompts.h"

namespace WorkbenchPrompts {
TPrompts &Instance();
void Install(TPrompts *prompts);   // nullptr restores the real boxes
}

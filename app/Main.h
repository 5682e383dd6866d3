#pragma once

// How data flows through the window program: the user types into the four entries (each key
// filtered as typed); the Calculate button hands the window, as a CalculationView, to the
// Calculate command, which converts the entry texts to numbers, corrects entries out of range
// (with a notice), calculates the can and the funnel, and writes the results into the read-only
// fields and as figures onto both drawings. A fault ends the command where it strikes and travels
// to the application's event dispatch, which shows it in the error box.

#include "app/ApplicationTitle.h"
#include "app/Desktop.h"
#include "app/MessageBoxes.h"
#include "app/TForm1.h"
#include "app/TMessageForm.h"
#include "app/VlnokanApplication.h"
#include "app/WindowView.h"

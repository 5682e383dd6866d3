#pragma once

// Everything the window program is made of, for main.cpp and the window tests.

#include "app/ApplicationTitle.h"
#include "app/Desktop.h"
#include "app/MessageBoxes.h"
#include "app/TForm1.h"
#include "app/TMessageForm.h"
#include "app/VlnokanApplication.h"
#include "app/WindowView.h"

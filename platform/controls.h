#pragma once
// The window's controls as the game sees them, one kind to a file: positions
// and sizes in twips, captions, colours, fonts, visibility, enabled states and
// click handlers. Each wraps one Qt widget (or menu action) that shows it.
#include "platform/button.h"
#include "platform/control.h"
#include "platform/label.h"
#include "platform/line_control.h"
#include "platform/menu_item.h"
#include "platform/picture.h"
#include "platform/text_box.h"

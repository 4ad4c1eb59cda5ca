#include "main/message_box.h"

PFN_MESSAGEBOXW g_pfnMessageBox = MessageBoxW;

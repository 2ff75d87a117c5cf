#include "platform/CString.h"

#include "platform/CodePage.h"

CCodePage::CCodePage() = default;

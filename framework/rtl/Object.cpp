#include "framework/rtl/Object.h"

namespace fw {

void TPersistent::Assign(const TPersistent* Source) {
    if (!Source) AssignError(nullptr);
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) const { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
    String source = Source ? Source->ClassName() : String(L"nil");
    throw EConvertError(L"Cannot assign a " + source + L" to a " + ClassName());
}

}  // namespace fw

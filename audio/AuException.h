// Every failure the audio components report is raised as EAuException.
#pragma once

#include "framework/Exception.h"

namespace acs {

class EAuException : public fw::Exception {
public:
    using fw::Exception::Exception;
    fw::String ClassName() const override { return L"EAuException"; }
};

}  // namespace acs

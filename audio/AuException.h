// Every failure the audio components report is raised as EAuException.
#pragma once

#include <exception>

#include "framework/rtl/Exception.h"

namespace acs {

class EAuException : public fw::Exception {
public:
    using fw::Exception::Exception;
    fw::String ClassName() const override { return L"EAuException"; }
};

// The text a sink keeps for whatever one of its steps raised.
fw::String ExceptionText(std::exception_ptr Failure);

}  // namespace acs

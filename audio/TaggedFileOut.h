// A file sink that owns one tag container of each kind, for the sinks that
// write tags into their files.
#pragma once

#include "audio/ApeV2Tags.h"
#include "audio/AuOutput.h"
#include "audio/Id3v1Tags.h"
#include "audio/Id3v2Tags.h"

namespace acs {

class TAuTaggedFileOut : public TAuFileOut {
public:
    explicit TAuTaggedFileOut(fw::TComponent* AOwner);
    ~TAuTaggedFileOut() override;
    fw::String ClassName() const override { return L"TAuTaggedFileOut"; }

protected:
    TId3v1Tags* FId3v1Tags;
    TId3v2Tags* FId3v2Tags;
    TAPEv2Tags* FAPEv2Tags;
};

}  // namespace acs

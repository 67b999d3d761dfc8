#include "audio/TaggedFileOut.h"

namespace acs {

TAuTaggedFileOut::TAuTaggedFileOut(fw::TComponent* AOwner)
    : TAuFileOut(AOwner), FId3v1Tags(new TId3v1Tags()), FId3v2Tags(new TId3v2Tags()), FAPEv2Tags(new TAPEv2Tags()) {}

TAuTaggedFileOut::~TAuTaggedFileOut() {
    // The finishing step of a run still reads the tags: the worker goes idle first.
    try {
        Stop(false);
    } catch (...) {
        // Destroyed from its own worker; the base's shutdown ends it.
    }
    delete FAPEv2Tags;
    delete FId3v2Tags;
    delete FId3v1Tags;
}

}  // namespace acs

#include "audio/AuException.h"

namespace acs {

fw::String ExceptionText(std::exception_ptr Failure) {
    try {
        std::rethrow_exception(Failure);
    } catch (const fw::Exception& e) {
        return e.Message;
    } catch (const std::exception& e) {
        return fw::FromAnsi(e.what());
    } catch (...) {
    }
    return L"Unknown exception";
}

}  // namespace acs

#include "session/session_error.h"

namespace tw {

SessionError::Reason SessionReason(ListError::Reason reason) {
    switch (reason) {
    case ListError::Reason::BadName: return SessionError::Reason::BadListName;
    case ListError::Reason::Exists: return SessionError::Reason::ListExists;
    case ListError::Reason::BadText: return SessionError::Reason::NotStorable;
    case ListError::Reason::Io: break;
    }
    return SessionError::Reason::ListIo;
}

}  // namespace tw

#include "link/runtimeerror.h"
#include "component/buserror.h"

namespace ort {

RunTimeError RunTimeError::from(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const RunTimeError &e) {
        return e;
    } catch (const BusError &e) {
        return RunTimeError(DeviceIo, e.what());
    } catch (const std::exception &e) {
        return RunTimeError(Internal, e.what());
    } catch (...) {
        return RunTimeError(Internal, "Internal error");
    }
}

unsigned char toByte(long long value)
{
    if (value < 0 || value > 255)
        throw RunTimeError::overflow();
    return static_cast<unsigned char>(value);
}

} // namespace ort

// The tool's whole command line: NUL-separated arguments after the
// program's name. A usage error is an answer; any other exception, a crash
// or a sanitizer report is a fault.
#include "cli/invocation.h"
#include "link/busoptions.h"

#include <QStringList>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList arguments{QStringLiteral("ort310")};
    QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const QByteArray &argument : text.split('\0'))
        arguments << QString::fromUtf8(argument);
    try {
        const ort::cli::Invocation run = ort::cli::parseInvocation(arguments, ort::ComponentOptions{});
        if (run.answer.isEmpty() && run.command == ort::cli::Command::Write && (run.value < 0 || run.value > 255))
            __builtin_trap();
    } catch (const ort::UsageError &) {
    }
    return 0;
}

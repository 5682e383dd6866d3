#pragma once

#include "core/Faults.h"

#include <QString>

#include <typeinfo>

namespace vlnokan::test {

// What a call ended with: the fault's class and message, or nothing when it ran through.
struct Outcome {
    QString kind;
    QString message;
};

template <typename Call> Outcome outcomeOf(Call&& call) {
    try {
        call();
    } catch (const EConvertError& e) {
        return {"EConvertError", QString::fromStdString(e.message())};
    } catch (const EZeroDivide& e) {
        return {"EZeroDivide", QString::fromStdString(e.message())};
    } catch (const EInvalidOp& e) {
        return {"EInvalidOp", QString::fromStdString(e.message())};
    } catch (const EOverflow& e) {
        return {"EOverflow", QString::fromStdString(e.message())};
    } catch (const ERangeError& e) {
        return {"ERangeError", QString::fromStdString(e.message())};
    } catch (const EIntOverflow& e) {
        return {"EIntOverflow", QString::fromStdString(e.message())};
    } catch (const Exception& e) {
        return {"Exception", QString::fromStdString(e.message())};
    }
    return {};
}

} // namespace vlnokan::test

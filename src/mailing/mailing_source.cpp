#include "mailing_source.h"

namespace tav {

MailingSource::~MailingSource() = default;

std::vector<MailingProblem> MailingSource::takeProblems() {
    return std::exchange(problems_, {});
}

void MailingSource::warn(const QString& remark) {
    if (!warnings_.contains(remark))
        warnings_.append(remark);
}

void MailingSource::takeOverFrom(MailingSource& inner) {
    for (const MailingProblem& problem : inner.takeProblems())
        leaveOut(problem.number, problem.message);
    for (const QString& remark : inner.warnings())
        warn(remark);
}

} // namespace tav

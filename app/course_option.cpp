#include "app/course_option.h"

#include <QDir>

#include "ui/record_text.h"

namespace qv {

CourseOption::CourseOption(const QStringList& arguments, const ResourceSource& packed) : packed_(packed) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--course"));
    if (at < 0) return;
    if (at + 1 >= arguments.size()) {
        error_ = QStringLiteral("--course needs the folder of a compiled course.");
        return;
    }
    const QString folder = QDir(arguments.at(at + 1)).absolutePath();
    const std::string fault = CourseFolderFault(ToPath(folder));
    if (!fault.empty()) {
        error_ = QString::fromStdString(fault);
        return;
    }
    folder_ = std::make_unique<CourseFolderSource>(ToPath(folder), packed);
}

}  // namespace qv

#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "course/course_folder.h"

namespace qv {

// "--course DIR": the program runs on the compiled course in DIR instead of
// the one packed into it. Its results are kept apart by its course code, as
// every course's are.
class CourseOption {
public:
    // Reads the option from the command line; `packed` is the program's own
    // course and pictures, and must outlive this.
    CourseOption(const QStringList& arguments, const ResourceSource& packed);

    // Why the program cannot start on the folder, in words; empty when it can.
    const QString& error() const { return error_; }
    // The course to run on: the folder's, or the packed one.
    const ResourceSource& resources() const { return folder_ ? *folder_ : packed_; }

private:
    const ResourceSource& packed_;
    std::unique_ptr<CourseFolderSource> folder_;
    QString error_;
};

}  // namespace qv

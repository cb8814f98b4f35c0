#include "core/headsmith/headertext.h"

#include <QDir>

namespace headertext {

namespace {
BlockLine text(const QString& s) {
    return BlockLine{s, false, {}};
}
} // namespace

Block writeheaderinfo(const HeaderFields& f) {
    const QString bare = QStringLiteral("''");
    const QString blank = QStringLiteral("'' ");
    Block b;
    b << text(HeaderStart) << text(bare)
      << text(QStringLiteral("'' ************************* Creation and Contact Info *************************"))
      << text(bare) << text(blank + f.description)
      << text(QStringLiteral("'' Created by ") + f.createdBy + QStringLiteral(" on ") + f.date)
      << text(QStringLiteral("'' Copyright ") + f.copyrightYear + QStringLiteral(".  ") + f.copyright) << text(bare)
      << text(QStringLiteral("'' Use restrictions:  ") + f.use) << text(bare);

    const bool hasEmail = !f.email.isEmpty();
    const bool hasPhone = !f.phone.isEmpty();
    if (hasEmail || hasPhone) {
        b << text(QStringLiteral("'' For more information contact ") + f.contactName);
        if (hasEmail && hasPhone)
            b << text(QStringLiteral("'' At ") + f.email + QStringLiteral(" or ") + f.phone);
        else
            b << text(QStringLiteral("'' At ") + (hasEmail ? f.email : f.phone));
    }

    b << text(blank)
      << text(QStringLiteral("'' ************************ Cutting and Material Info **************************"))
      << text(blank)
      << text(QStringLiteral("'' Cut this file out of a ") + f.blank + QStringLiteral(" piece of ") + f.material +
              QStringLiteral(" that's ") + f.thickness + QStringLiteral(" thick"))
      << text(QStringLiteral("'' using a ") + f.bitSize + u' ' + f.bitType)
      << text(f.tableTop ? QStringLiteral("'' with the z-axis zeroed at the Corvane table top surface")
                         : QStringLiteral("'' with the z-axis zeroed at the top surface of the blank"))
      << text(blank);

    if (f.offset2d) {
        b << text(QStringLiteral("'' File must be cut in 2d offset mode... move to ") + f.xOffset +
                  QStringLiteral(" , ") + f.yOffset + QStringLiteral(" before cutting"))
          << text(QStringLiteral("'' and then check the 2d offset option in the FP command"));
    }
    if (f.offset3d) {
        b << text(QStringLiteral("'' File must be cut in 3d offset mode... move to ") + f.xOffset +
                  QStringLiteral(" , ") + f.yOffset + QStringLiteral(" , ") + f.zOffset +
                  QStringLiteral(" before cutting"))
          << text(QStringLiteral("'' and then check the 3d offset option in the FP command"));
    }

    b << text(blank)
      << text(QStringLiteral("'' ************************** Any Additional notes *****************************"))
      << text(blank);

    // The notes box is written as it stands, then a line end: each note gives its own line and
    // the newline after the last note gives one empty line (the only line when there are no notes).
    const QStringList notes = f.additionalInfo.split(u'\n');
    for (QString note : notes) {
        if (note.endsWith(u'\r')) note.chop(1);
        b << text(note);
    }

    b << text(blank) << text(blank)
      << text(QStringLiteral("'' ********** WARNING!!! ********** WARNING!!! *********** WARNING!!! **********"))
      << text(blank)
      << text(QStringLiteral("'' User takes responsibility for the effects and outcomes of the use of this program."))
      << text(QStringLiteral("'' Test run this program in Preview Mode and with air cutting above material to make"))
      << text(QStringLiteral("'' sure you are satisfied that it is doing what you expect it to do.")) << text(blank)
      << text(blank);

    if (f.addOpening) {
        if (f.openingAsFP) {
            b << text(QStringLiteral("'' Run Opening file first")) << text(blank)
              << text(QStringLiteral("FP, ") + QDir::toNativeSeparators(f.openingPath));
        } else {
            b << text(QStringLiteral("'' Opening file info")) << text(blank) << BlockLine{{}, true, f.openingPath};
        }
    }

    b << text(blank) << text(HeaderEnd) << text(QString());
    return b;
}

Block closingBlock(const HeaderFields& f) {
    Block b;
    b << text(ClosingStart) << text(QStringLiteral(" "));
    if (f.closingAsFP)
        b << text(QStringLiteral("FP, ") + QDir::toNativeSeparators(f.closingPath)); // as the system writes it
    else
        b << BlockLine{{}, true, f.closingPath};
    b << text(QStringLiteral(" ")) << text(ClosingEnd);
    return b;
}

} // namespace headertext

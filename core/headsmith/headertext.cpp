#include "core/headsmith/headertext.h"

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
      << text(bare) << text(blank + f.Description)
      << text(QStringLiteral("'' Created by ") + f.CreatedBy + QStringLiteral(" on ") + f.Date)
      << text(QStringLiteral("'' Copyright ") + f.CopyrightYear + QStringLiteral(".  ") + f.Copyright) << text(bare)
      << text(QStringLiteral("'' Use restrictions:  ") + f.Use) << text(bare);

    const bool hasEmail = !f.Email.isEmpty();
    const bool hasPhone = !f.Phone.isEmpty();
    if (hasEmail || hasPhone) {
        b << text(QStringLiteral("'' For more information contact ") + f.ContactName);
        if (hasEmail && hasPhone)
            b << text(QStringLiteral("'' At ") + f.Email + QStringLiteral(" or ") + f.Phone);
        else
            b << text(QStringLiteral("'' At ") + (hasEmail ? f.Email : f.Phone));
    }

    b << text(blank)
      << text(QStringLiteral("'' ************************ Cutting and Material Info **************************"))
      << text(blank)
      << text(QStringLiteral("'' Cut this file out of a ") + f.Blank + QStringLiteral(" piece of ") + f.Material +
              QStringLiteral(" that's ") + f.Thickness + QStringLiteral(" thick"))
      << text(QStringLiteral("'' using a ") + f.BitSize + u' ' + f.BitType)
      << text(f.TableTop ? QStringLiteral("'' with the z-axis zeroed at the Corvane table top surface")
                         : QStringLiteral("'' with the z-axis zeroed at the top surface of the blank"))
      << text(blank);

    if (f.Offset2d) {
        b << text(QStringLiteral("'' File must be cut in 2d offset mode... move to ") + f.XOffset +
                  QStringLiteral(" , ") + f.YOffset + QStringLiteral(" before cutting"))
          << text(QStringLiteral("'' and then check the 2d offset option in the FP command"));
    }
    if (f.Offset3d) {
        b << text(QStringLiteral("'' File must be cut in 3d offset mode... move to ") + f.XOffset +
                  QStringLiteral(" , ") + f.YOffset + QStringLiteral(" , ") + f.ZOffset +
                  QStringLiteral(" before cutting"))
          << text(QStringLiteral("'' and then check the 3d offset option in the FP command"));
    }

    b << text(blank)
      << text(QStringLiteral("'' ************************** Any Additional notes *****************************"))
      << text(blank);

    // The notes box is written as it stands, then a line end: each note gives its own line and
    // the newline after the last note gives one empty line (the only line when there are no notes).
    const QStringList notes = f.AdditionalInfo.split(u'\n');
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

    if (f.AddOpening) {
        if (f.OpeningAsFP) {
            b << text(QStringLiteral("'' Run Opening file first")) << text(blank)
              << text(QStringLiteral("FP, ") + f.OpeningPath);
        } else {
            b << text(QStringLiteral("'' Opening file info")) << text(blank) << BlockLine{{}, true, f.OpeningPath};
        }
    }

    b << text(blank) << text(HeaderEnd) << text(QString());
    return b;
}

Block closingBlock(const HeaderFields& f) {
    Block b;
    b << text(ClosingStart) << text(QStringLiteral(" "));
    if (f.ClosingAsFP)
        b << text(QStringLiteral("FP, ") + f.ClosingPath);
    else
        b << BlockLine{{}, true, f.ClosingPath};
    b << text(QStringLiteral(" ")) << text(ClosingEnd);
    return b;
}

} // namespace headertext

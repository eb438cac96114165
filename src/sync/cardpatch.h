#pragma once

#include "store/contactline.h"

#include <QByteArray>
#include <QByteArrayView>

// The cards a sync uploads. A card on the server holds far more than the
// three fields Rubrio keeps (emails, photos, other numbers, addresses), so a
// change is written into the card as it was last received and every other
// byte of it stays as it was.
namespace CardPatch {

// A new vCard 3.0 card in UTF-8 with CR LF line ends: VERSION, UID, N, FN
// and TEL, the properties servers and phones expect.
QByteArray create(const GlobalModule::ContactFields &fields, const QString &uid);

// card with fields put in: the surname and given name as N's first two
// components and, when the name changed, FN as "given name surname"; the
// number as the value of the TEL an import would take. Every other line,
// component and parameter keeps its bytes; a card that lacks N, FN or that
// TEL gets one before its END:VCARD. A field equal to what the card already
// gives leaves its line untouched. A card without a UID, which servers
// refuse, gets uid. A card keeps its VERSION: its other lines are written in
// that version's syntax. A rewritten 2.1 value is plain UTF-8, its
// quoted-printable encoding dropped and its charset made UTF-8.
QByteArray apply(QByteArrayView card, const GlobalModule::ContactFields &fields,
                 const QString &uid);

} // namespace CardPatch

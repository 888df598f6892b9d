#include "QLineEditExBase.h"

#include "ExceptionTrace.h"

QLineEditExBase::QLineEditExBase(QWidget* parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &QLineEditExBase::TextChanged);
}

QLineEditExBase::~QLineEditExBase()
{
}

void QLineEditExBase::TextChanged(const QString& text)
{
    RunTraced([&] {
        const int lineFeed = text.indexOf(QLatin1Char('\n'));
        if (lineFeed >= 0)
            setText(text.left(lineFeed));
    });
}

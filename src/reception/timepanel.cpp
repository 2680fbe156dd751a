// The time panel (Picture4): a date, hour and minute picker for the complaint time.

#include "receptionwindow.h"

#include "controls/twips.h"
#include "panelwidgets.h"
#include "receptionrules.h"
#include "shell/platform.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using controls::twipsToPixelsX;
using controls::twipsToPixelsY;
using reception::commandButton;
using reception::FloatingPanel;
using reception::PressLabel;

namespace {

void paintCell(QLabel* cell, const QColor& back, const QColor& text) {
    QPalette pal = cell->palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, text);
    cell->setPalette(pal);
}

QLabel* sectionLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

void ReceptionWindow::buildTimePanel() {
    m_timePanel = new FloatingPanel(this);
    m_timePanel->setObjectName(QStringLiteral("Picture4"));
    m_timePanel->resize(twipsToPixelsX(6600), twipsToPixelsY(5000));

    auto* outer = new QVBoxLayout(m_timePanel);
    outer->setContentsMargins(1, 1, 1, 8);
    outer->setSpacing(6);
    auto* caption = new QLabel(QStringLiteral("日期及时间"), m_timePanel);
    caption->setAutoFillBackground(true);
    QPalette cp = caption->palette();
    cp.setColor(QPalette::Window, QColor(214, 226, 242));
    caption->setPalette(cp);
    QFont cf = caption->font();
    cf.setBold(true);
    caption->setFont(cf);
    caption->setContentsMargins(8, 5, 8, 5);
    outer->addWidget(caption);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 0, 10, 0);
    body->setSpacing(5);
    outer->addLayout(body, 1);

    auto* fields = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_text3[i] = new QLineEdit(m_timePanel);
        m_text3[i]->setObjectName(QStringLiteral("Text3(%1)").arg(i));
        m_text3[i]->setAlignment(Qt::AlignCenter);
    }
    m_text3[0]->setFixedWidth(twipsToPixelsX(1500));
    m_text3[1]->setFixedWidth(twipsToPixelsX(540));
    m_text3[2]->setFixedWidth(twipsToPixelsX(540));
    m_command6 = commandButton(QStringLiteral("Command6"), QStringLiteral("日历"), m_timePanel);
    fields->addWidget(new QLabel(QStringLiteral("日期"), m_timePanel));
    fields->addWidget(m_text3[0]);
    fields->addWidget(m_command6);
    fields->addSpacing(16);
    fields->addWidget(new QLabel(QStringLiteral("时间"), m_timePanel));
    fields->addWidget(m_text3[1]);
    fields->addWidget(new QLabel(QStringLiteral("："), m_timePanel));
    fields->addWidget(m_text3[2]);
    fields->addStretch();
    body->addLayout(fields);

    const QSize cellSize(twipsToPixelsX(480), twipsToPixelsY(300));
    auto makeCell = [&](const QString& name, int value) {
        auto* cell = new PressLabel(m_timePanel);
        cell->setObjectName(name);
        cell->setText(QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')));
        cell->setAlignment(Qt::AlignCenter);
        cell->setAutoFillBackground(true);
        cell->setFixedSize(cellSize);
        cell->setCursor(Qt::PointingHandCursor);
        return cell;
    };

    body->addWidget(sectionLabel(QStringLiteral("请选择小时"), m_timePanel));
    auto* hours = new QGridLayout;
    hours->setSpacing(2);
    for (int h = 0; h < 24; ++h) {
        m_hours[h] = makeCell(QStringLiteral("Label2(%1)").arg(h), h);
        hours->addWidget(m_hours[h], h / 12, h % 12);
        connect(m_hours[h], &PressLabel::clicked, this, [this, h] { clickHour(h); });
    }
    hours->setColumnStretch(12, 1);
    body->addLayout(hours);

    body->addWidget(sectionLabel(QStringLiteral("请选择分钟"), m_timePanel));
    auto* minutes = new QGridLayout;
    minutes->setSpacing(2);
    for (int m = 0; m < 60; ++m) {
        m_minutes[m] = makeCell(QStringLiteral("Label3(%1)").arg(m), m);
        minutes->addWidget(m_minutes[m], m / 10, m % 10);
        connect(m_minutes[m], &PressLabel::clicked, this, [this, m] { clickMinute(m); });
    }
    minutes->setColumnStretch(10, 1);
    body->addLayout(minutes);
    body->addStretch();

    auto* buttons = new QHBoxLayout;
    auto* ok = commandButton(QStringLiteral("Command7"), QStringLiteral("确定"), m_timePanel);
    auto* cancel = commandButton(QStringLiteral("Command8"), QStringLiteral("取消"), m_timePanel);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    body->addLayout(buttons);

    // The calendar floats over the whole window, so that it is not cut off by the panel.
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("MonthView1"));
    m_calendar->setAutoFillBackground(true);
    m_calendar->setGridVisible(true);
    m_calendar->hide();

    resetHourCells();
    resetMinuteCells();

    connect(ok, &QPushButton::clicked, this, &ReceptionWindow::confirmTime);
    // Leaves the complaint time as it was.
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_calendar->hide();
        m_timePanel->hide();
    });
    connect(m_command6, &QPushButton::clicked, this, &ReceptionWindow::toggleCalendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, &ReceptionWindow::clickCalendarDate);
}

void ReceptionWindow::resetHourCells() {
    const QColor text = palette().color(QPalette::WindowText);
    for (QLabel* cell : m_hours)
        paintCell(cell, reception::hourCellColour(), text);
}

void ReceptionWindow::resetMinuteCells() {
    const QColor text = palette().color(QPalette::WindowText);
    for (int m = 0; m < 60; ++m)
        paintCell(m_minutes[m], reception::minuteCellColour(m), text);
}

void ReceptionWindow::LoadTime(const QString& text) {
    QDateTime base = reception::parseDateTime(text);
    if (!base.isValid())
        base = Platform::now();
    m_text3[0]->setText(base.date().toString(QStringLiteral("yyyy-MM-dd")));
    const QStringList hm = base.toString(QStringLiteral("HH:mm")).split(QLatin1Char(':'));
    m_text3[1]->setText(hm.value(0));
    m_text3[2]->setText(hm.value(1));
    resetHourCells();
    paintCell(m_hours[base.time().hour()], reception::selectedCellColour(),
              reception::selectedCellTextColour());
    resetMinuteCells();
    paintCell(m_minutes[base.time().minute()], reception::selectedCellColour(),
              reception::selectedCellTextColour());
}

void ReceptionWindow::openTimePanel() {
    LoadTime(text1(0));
    m_timePanel->move(m_entry->x(), m_entry->y() + twipsToPixelsY(2400, this));
    m_timePanel->showInFront();
}

void ReceptionWindow::clickHour(int hour) {
    resetHourCells();
    paintCell(m_hours[hour], reception::selectedCellColour(), reception::selectedCellTextColour());
    m_text3[1]->setText(m_hours[hour]->text());
}

void ReceptionWindow::clickMinute(int minute) {
    m_text3[2]->setText(m_minutes[minute]->text());
    resetMinuteCells();
    paintCell(m_minutes[minute], reception::selectedCellColour(),
              reception::selectedCellTextColour());
}

void ReceptionWindow::toggleCalendar() {
    if (m_calendar->isVisible()) {
        m_calendar->hide();
        return;
    }
    // A date field the operator typed over falls back to today.
    const QDateTime typed = reception::parseDateTime(m_text3[0]->text());
    m_calendar->setSelectedDate(typed.isValid() ? typed.date() : Platform::now().date());
    const QPoint below = m_text3[0]->mapTo(this, QPoint(0, m_text3[0]->height() + 2));
    m_calendar->adjustSize();
    m_calendar->move(below);
    m_calendar->show();
    m_calendar->raise();
}

void ReceptionWindow::clickCalendarDate(const QDate& day) {
    m_text3[0]->setText(day.toString(QStringLiteral("yyyy-MM-dd")));
    m_calendar->hide();
}

void ReceptionWindow::confirmTime() {
    setText1(0, m_text3[0]->text() + QLatin1Char(' ') + m_text3[1]->text() + QLatin1Char(':') +
                    m_text3[2]->text());
    m_calendar->hide();
    m_timePanel->hide();
}

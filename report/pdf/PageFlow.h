#pragma once

#include <QFont>
#include <QList>
#include <QPainter>
#include <QPair>
#include <QPdfWriter>
#include <QString>
#include <QStringList>

class QPicture;

// Lays a report out from the top of the first page down, starting a new page where the next block
// does not fit, and puts a footer on every page: a text and "page x of y". A PDF page cannot be drawn
// again once the next one is begun, so a report is laid out twice: once to count its pages, without
// drawing, and once to draw it. Sizes are in millimetres and points; the painter works in the writer's
// device pixels.
class PageFlow final
{
public:
    enum class Pass
    {
        Count,
        Draw,
    };

    // `pageTotal` is the page count of the Count pass; a Draw pass needs it for its footers.
    PageFlow(QPdfWriter& writer, QPainter& painter, Pass pass, const QString& footer, int pageTotal = 0);

    void title(const QString& text);
    void heading(const QString& text);
    void paragraph(const QString& text, const QFont& font, const QColor& colour = Qt::black);
    // Label and value pairs in two columns.
    void fields(const QList<QPair<QString, QString>>& rows);
    // A table with a header row; `shares` divides the width between the columns.
    void table(const QStringList& headers, const QList<QStringList>& rows, const QList<double>& shares);
    void picture(const QPicture& picture, double heightMm);
    void space(double mm);
    // Starts a new page unless `mm` more fit on this one.
    void keepTogether(double mm);
    // A band of the page `heightMm` high at the cursor, for a caller who draws it (only when drawing());
    // the cursor moves past it.
    QRectF band(double heightMm);
    // Ends the last page with its footer.
    void finish();

    bool drawing() const { return m_pass == Pass::Draw; }

    QPainter& painter() { return m_painter; }
    double pixels(double mm) const { return mm * m_pixelsPerMm; }
    double width() const { return m_page.width(); }
    int pageCount() const { return m_pages; }

    static QFont bodyFont(double points = 9.5);
    static QFont monoFont(double points = 9.0);

private:
    double lineHeight(const QFont& font) const;
    void newPage();
    void drawFooter();

    QPdfWriter& m_writer;
    QPainter& m_painter;
    const Pass m_pass;
    const QString m_footer;
    const int m_pageTotal;
    QRectF m_page; // the part of the page above the footer
    double m_pixelsPerMm;
    double m_y = 0.0;
    int m_pages = 1;
};

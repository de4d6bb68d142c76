#pragma once

#include <QAbstractItemModelTester>
#include <QStringList>

#include <gtest/gtest.h>
#include <memory>

namespace tarvo::listext::test {

// Runs QAbstractItemModelTester on a model and fails the test on any fault it reports.
class ModelCheck final {
  public:
    explicit ModelCheck(QAbstractItemModel *model)
    {
        failures().clear();
        m_previous = qInstallMessageHandler(&ModelCheck::handle);
        m_tester = std::make_unique<QAbstractItemModelTester>(
            model, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    ~ModelCheck()
    {
        m_tester.reset();
        qInstallMessageHandler(m_previous);
        EXPECT_TRUE(failures().isEmpty()) << failures().join(QLatin1Char('\n')).toStdString();
    }
    ModelCheck(const ModelCheck &) = delete;
    ModelCheck &operator=(const ModelCheck &) = delete;

  private:
    static QStringList &failures()
    {
        static QStringList list;
        return list;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (context.category && QLatin1String(context.category) == QLatin1String("qt.modeltest"))
            failures() << text;
        else if (type == QtFatalMsg)
            abort();
    }

    QtMessageHandler m_previous = nullptr;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

} // namespace tarvo::listext::test

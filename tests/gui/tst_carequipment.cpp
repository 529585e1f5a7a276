#include <QtTest>

#include <QTemporaryDir>

#include "car/equipment.h"
#include "common/testrom.h"
#include "windowprobe.h"

namespace {

// Characteristics of car 1 as stored in the test ROM (top speed .. jumping).
const QByteArray kCar1Characteristics("\x80\xFF\x00\x7F\xC8", 5);

// A random cartridge image with weapon codes in range (unless given) and
// car 1's characteristics as above.
QByteArray makeRom(quint32 seed, const QByteArray &weaponArea = QByteArray())
{
    QByteArray image = RandomRomImage(seed);
    for (int car = 0; car < kCarCount; ++car) {
        image[kWeaponsOffset + car] = static_cast<char>(car % 6);
        image[kWeaponsOffset + 5 + car] = static_cast<char>((car + 2) % 6);
        image[kWeaponsOffset + 10 + car] = static_cast<char>(car % 2);
    }
    image.replace(kWeaponsOffset, weaponArea.size(), weaponArea);
    for (int c = 0; c < kCharacteristicCount; ++c)
        image[kCharacteristicsOffset + 5 * c] = kCar1Characteristics.at(c);
    return image;
}

QSpinBox *characteristicBox(const FormControls *ui, int byte)
{
    QSpinBox *boxes[] = {ui->spinBoxTopSpeed, ui->spinBoxAcceleration, ui->spinBoxAdhesion, ui->spinBoxCornering,
                         ui->spinBoxJumping};
    return boxes[byte];
}

} // namespace

class TestCarEquipment : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    int romCount = 0;

    QString writeRom(const QByteArray &image)
    {
        return WriteTestFile(dir.filePath(QStringLiteral("rom%1.bin").arg(++romCount)), image);
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void startsWithCarOneShown()
    {
        SKMcarEditor editor(writeRom(makeRom(1)));
        WindowProbe probe(editor);
        QCOMPARE(probe.characteristics(), probe.romCharacteristics());
        QCOMPARE(probe.weapons(), probe.romWeapons());
        QCOMPARE(probe.characteristics()[0], kCar1Characteristics);
        const int shown[] = {128, 255, 0, 127, 200};   // unsigned, never negative
        for (int byte = 0; byte < kCharacteristicCount; ++byte)
            QCOMPARE(characteristicBox(probe.ui(), byte)->value(), shown[byte]);
        QCOMPARE(probe.ui()->comboBoxWeaponA->currentIndex(), 0);
        QCOMPARE(probe.ui()->comboBoxWeaponC->currentIndex(), 2);
        QCOMPARE(probe.ui()->comboBoxWeaponJT->currentIndex(), 0);
    }

    void characteristicEdits_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::newRow("top speed") << 0 << 1;
        QTest::newRow("acceleration") << 1 << 255;
        QTest::newRow("suspension") << 2 << 128;
        QTest::newRow("cornering 200") << 3 << 200;
        QTest::newRow("jumping 0") << 4 << 0;
    }

    void characteristicEdits()
    {
        QFETCH(int, byte);
        QFETCH(int, value);
        SKMcarEditor editor(writeRom(makeRom(2)));
        WindowProbe probe(editor);
        probe.ui()->spinBoxCarNumber->setValue(3);
        CharacteristicsTable expected = probe.characteristics();
        expected[2][byte] = static_cast<char>(value);

        characteristicBox(probe.ui(), byte)->setValue(value);
        QCOMPARE(probe.characteristics(), expected);

        probe.ui()->spinBoxCarNumber->setValue(4);
        QCOMPARE(characteristicBox(probe.ui(), byte)->value(), ByteAt(expected[3], byte));
        probe.ui()->spinBoxCarNumber->setValue(3);
        QCOMPARE(characteristicBox(probe.ui(), byte)->value(), value);
        QCOMPARE(probe.characteristics(), expected);
    }

    void weaponEdits_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("code");
        QTest::newRow("weapon A: Oil") << 0 << QStringLiteral("Oil") << 4;
        QTest::newRow("weapon C: Mine") << 1 << QStringLiteral("Mine") << 5;
        QTest::newRow("jump/turbo: Turbo") << 2 << QStringLiteral("Turbo") << 1;
    }

    void weaponEdits()
    {
        QFETCH(int, slot);
        QFETCH(QString, item);
        QFETCH(int, code);
        SKMcarEditor editor(writeRom(makeRom(3)));
        WindowProbe probe(editor);
        QComboBox *combos[] = {probe.ui()->comboBoxWeaponA, probe.ui()->comboBoxWeaponC,
                               probe.ui()->comboBoxWeaponJT};
        probe.ui()->spinBoxCarNumber->setValue(5);
        WeaponTable expected = probe.weapons();
        expected[4][slot] = static_cast<char>(code);

        combos[slot]->setCurrentText(item);
        QCOMPARE(probe.weapons(), expected);
        probe.ui()->spinBoxCarNumber->setValue(1);
        probe.ui()->spinBoxCarNumber->setValue(5);
        QCOMPARE(combos[slot]->currentIndex(), code);
        QCOMPARE(probe.weapons(), expected);
    }

    void hiddenControlsFollowTheCar()
    {
        SKMcarEditor editor(writeRom(makeRom(4)));
        WindowProbe probe(editor);
        QVERIFY(probe.ui()->groupBoxParameters->isHidden());
        probe.ui()->spinBoxCarNumber->setValue(2);
        QCOMPARE(probe.ui()->spinBoxJumping->value(), ByteAt(probe.characteristics()[1], Jumping));
        QCOMPARE(probe.ui()->comboBoxWeaponC->currentIndex(), 3);
    }

    void restoreBringsBackStartUpValues()
    {
        const QString path = writeRom(makeRom(5));
        SKMcarEditor editor(path);
        WindowProbe probe(editor);
        probe.ui()->spinBoxCarNumber->setValue(2);
        const CharacteristicsTable start = probe.characteristics();
        probe.ui()->spinBoxTopSpeed->setValue(3);
        probe.ui()->spinBoxCornering->setValue(4);
        probe.ui()->comboBoxWeaponA->setCurrentIndex(5);
        probe.ui()->spinBoxCarNumber->setValue(3);
        probe.ui()->spinBoxJumping->setValue(6);
        probe.ui()->spinBoxCarNumber->setValue(2);
        QVERIFY(probe.saveToRom());
        QCOMPARE(ReadBytes(path).at(0xE150 + 5 * 3 + 1), char(4));   // the save wrote the edit

        probe.click("labelRestoreParamaters");
        QCOMPARE(probe.characteristics()[1], start[1]);
        QCOMPARE(probe.ui()->spinBoxTopSpeed->value(), ByteAt(start[1], TopSpeed));
        QCOMPARE(probe.characteristics()[2][Jumping], char(6));   // other cars keep their edits
        QCOMPARE(probe.weapons()[1][WeaponA], char(5));            // weapons stay as they are

        probe.click("labelRestoreWeapons");
        QCOMPARE(probe.weapons(), probe.romWeapons());
        QCOMPARE(probe.ui()->comboBoxWeaponA->currentIndex(), 1);
    }

    void outOfRangeWeaponCodesSurvive()
    {
        // Car 1: weapon A 9, weapon C 6, jump/turbo 0xFF; car 2: jump/turbo 2.
        QByteArray area(15, '\0');
        area[0] = 9;
        area[5] = 6;
        area[10] = char(0xFF);
        area[11] = 2;
        const QString path = writeRom(makeRom(6, area));
        SKMcarEditor editor(path);
        WindowProbe probe(editor);
        QCOMPARE(probe.weapons()[0], QByteArray("\x09\x06\xFF", 3));
        QCOMPARE(probe.ui()->comboBoxWeaponA->currentIndex(), -1);
        QCOMPARE(probe.ui()->comboBoxWeaponJT->currentIndex(), -1);

        probe.ui()->spinBoxCarNumber->setValue(2);
        QCOMPARE(probe.ui()->comboBoxWeaponA->currentIndex(), 0);
        probe.ui()->spinBoxCarNumber->setValue(1);
        QCOMPARE(probe.weapons(), probe.romWeapons());

        QVERIFY(probe.saveToRom());
        QCOMPARE(ReadBytes(path).mid(kWeaponsOffset, 15), area);

        // Choosing an item replaces the unknown code.
        probe.ui()->comboBoxWeaponA->setCurrentIndex(2);
        QCOMPARE(probe.weapons()[0], QByteArray("\x02\x06\xFF", 3));
    }

    void showHideTogglesBothBoxes()
    {
        SKMcarEditor editor(writeRom(makeRom(7)));
        WindowProbe probe(editor);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QWidget *parameters = probe.ui()->groupBoxParameters;
        QWidget *weapons = probe.ui()->groupBoxWeapons;
        QClickLabel *label = probe.ui()->labelShowCharacteristics;
        QVERIFY(parameters->isHidden() && weapons->isHidden());
        const QString text = label->text();

        QTest::mouseClick(label, Qt::LeftButton);
        QVERIFY(parameters->isVisible() && weapons->isVisible());
        const int shownHeight = editor.height();
        QTest::mouseClick(label, Qt::LeftButton);
        QVERIFY(parameters->isHidden() && weapons->isHidden());
        QTRY_VERIFY(editor.height() <= shownHeight);

        // A double click arrives as press, release, double click, release.
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::mouseDClick(label, Qt::LeftButton);
        QTest::mouseRelease(label, Qt::LeftButton);
        QVERIFY(parameters->isHidden() && weapons->isHidden());
        QCOMPARE(label->text(), text);
        QVERIFY(text.contains(QStringLiteral("Edit car characteristics")));
    }
};

QTEST_MAIN(TestCarEquipment)
#include "tst_carequipment.moc"
